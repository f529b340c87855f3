// The two per-leg measures the page works out itself, as the analysis does: the ratio of a leg
// to its top average and the time lost on it against the runner's cruise pace. Both are taken
// on counted legs only: a ranked time of the leg, or a merged time (LapState k > 0, covering
// legs k..l, 1-based), which is measured against the top averages of all the legs it covers.
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

  return { ratios, missTimes, counted, firstCovered };
})();
