// The per-leg measures the page works out itself, as the analysis does: the ratio of a leg to
// its top average and the time lost on it against the runner's cruise pace. Both are taken on
// counted legs only: a ranked time of the leg, or a merged time (LapState k > 0, covering legs
// k..l, 1-based), which is measured against the top averages of all the legs it covers.
// Besides: ranks in a field, and which legs count as mistakes.
const Measures = (() => {
  // The first leg (0-based) whose time the leg's time holds.
  function firstCovered(state, l) {
    return state[l] > 0 ? state[l] - 1 : l;
  }

  function counted(state, rank, l) {
    return (state[l] === 0 && rank[l] >= 1) || state[l] > 0;
  }

  function coveredTop(top, state, l) {
    let sum = 0;
    for (let m = firstCovered(state, l); m <= l; m++) sum += top[m];
    return sum;
  }

  // LapRatio: 0 where the leg is not counted. Single precision, as the program keeps it.
  function ratios(lap, state, rank, top) {
    return lap.map((time, l) => {
      if (!counted(state, rank, l)) return 0;
      const covered = coveredTop(top, state, l);
      return covered !== 0 ? Math.fround(time / covered) : 0;
    });
  }

  // MissTime: the leg time minus the cruise speed times the covered top averages (negative when
  // the leg was run faster); 0 where the leg is not counted.
  function missTimes(lap, state, rank, top, cruiseSpeed) {
    const speed = Math.fround(cruiseSpeed);
    return lap.map((time, l) => {
      if (!counted(state, rank, l)) return 0;
      let pace = 0;
      for (let m = firstCovered(state, l); m <= l; m++) pace += speed * top[m];
      return time - pace;
    });
  }

  // Competition ranks (1, 2, 2, 4) of the values; undefined values are not ranked (0).
  function ranks(values) {
    const order = [];
    values.forEach((v, i) => {
      if (v !== undefined) order.push(i);
    });
    order.sort((a, b) => values[a] - values[b]);
    const result = new Array(values.length).fill(0);
    order.forEach((i, n) => {
      const before = n > 0 ? order[n - 1] : -1;
      result[i] = before >= 0 && values[before] === values[i] ? result[before] : n + 1;
    });
    return result;
  }

  // The default of what counts as a mistake: at least this many seconds lost, and at least this
  // share of the time the leg takes at the runner's cruise pace.
  const DEFAULT_THRESHOLD = { seconds: 20, percent: 10 };

  // A counted leg whose miss time passes both bounds of the threshold. A merged leg is judged
  // over its whole span. A loss that shows as no time at all (+0:00) is never a mistake.
  function isMistake(runner, l, threshold) {
    if (!counted(runner.state, runner.lapRank, l)) return false;
    const miss = runner.miss[l];
    const expected = runner.lap[l] - miss;
    return miss >= 0.5 && miss >= threshold.seconds && miss * 100 >= threshold.percent * expected;
  }

  // The mistakes of a runner (0-based legs) and the time they lost.
  function mistakes(runner, threshold) {
    const legs = [];
    let lost = 0;
    for (let l = 0; l < runner.lap.length; l++) {
      if (isMistake(runner, l, threshold)) {
        legs.push(l);
        lost += runner.miss[l];
      }
    }
    return { legs, lost };
  }

  return { ratios, missTimes, counted, firstCovered, ranks, isMistake, mistakes, DEFAULT_THRESHOLD };
})();
