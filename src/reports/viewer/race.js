// The race embedded in the page, and the model of one class that every view reads.
const Race = (() => {
  const UNNAMED = '名称未設定';
  // LapTime of an empty entry that does not begin a stretch without splits: minus two days.
  const ABSENT = -172800;
  const STATUS_TEXT = { MP: 'ミスパンチ', DNF: '途中棄権', DSQ: '失格', DNS: '欠場', OT: '時間超過', NC: '参考' };

  // The digits of the packed columns: '#' to '~' without '<' and '\'.
  const DIGITS = "#$%&'()*+,-./0123456789:;=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";
  const DIGIT_VALUE = new Int16Array(128).fill(-1);
  for (let i = 0; i < DIGITS.length; i++) DIGIT_VALUE[DIGITS.charCodeAt(i)] = i;

  function load() {
    const node = document.getElementById('race-data');
    return JSON.parse(node ? node.textContent : 'null');
  }

  // A packed column: every value as `width` digits, most significant first.
  function unpack(column) {
    const { width, text } = column;
    const values = new Array(text.length / width);
    for (let i = 0, at = 0; i < values.length; i++) {
      let v = 0;
      for (let k = 0; k < width; k++) v = v * 90 + DIGIT_VALUE[text.charCodeAt(at++)];
      values[i] = v;
    }
    return values;
  }

  // A state column: the packed legs (plus 2) of the runners whose states are not all 0.
  function states(column, i, legs) {
    const text = column.runners[i];
    if (text === undefined) return new Array(legs).fill(0);
    return unpack({ width: column.width, text }).map((v) => v - 2);
  }

  // The elapsed times the analysis gives: the running sum of the positive leg times, a merged
  // time spread over its legs by their top averages.
  function elapsedTimes(lap, state, top) {
    let running = 0;
    const sum = lap.map((t) => (t > 0 ? (running += t) : running));
    for (let l = 0; l < lap.length; l++) {
      if (state[l] <= 0) continue;
      const k = state[l] - 1;
      let weight = 0;
      for (let m = k; m <= l; m++) weight += top[m];
      if (weight <= 0) continue;
      let covered = 0;
      for (let m = k; m <= l; m++) {
        covered += top[m];
        sum[m] = sum[l] - (1 - covered / weight) * lap[l];
      }
    }
    return sum;
  }

  // Full-width digits below 10, half-width from 10 on.
  function legNumber(n) {
    return n <= 9 ? String.fromCharCode(0xff10 + n) : String(n);
  }

  // "△→１", "１→２", …, "９→◎": where a leg starts and ends (1-based leg numbers).
  function legLabel(controls, legNo) {
    return (legNo === 1 ? '△' : legNumber(legNo - 1)) + '→' + (legNo === controls + 1 ? '◎' : legNumber(legNo));
  }

  // The label of legs first..last (0-based) taken together: "△→２".
  function spanLabel(model, first, last) {
    const from = model.labels[first];
    return from.slice(0, from.indexOf('→') + 1) + model.toLabels[last];
  }

  // Names and clubs compared as typed: width, letter case and blanks ignored.
  function searchText(text) {
    return String(text).normalize('NFKC').toLowerCase().replace(/\s+/g, '');
  }

  // The elapsed times at the start and at every control that a line may be drawn through;
  // undefined where none is known. Where the analysis stops counting (a leg without a time of
  // its own), a runner whose legs add up to its total still has every time, a leg of zero
  // seconds included, and one whose legs do not add up has those after the gap counted back
  // from the finish.
  function lineTimes(runner, legs, hasFinishLeg) {
    const times = [0];
    for (let l = 0; l < legs; l++) times.push(runner.sumState[l] !== -2 ? runner.sum[l] : undefined);
    if (runner.total <= 0 || !hasFinishLeg || times[legs] !== undefined) return times;
    let sum = 0;
    for (let l = 0; l < legs; l++) if (runner.lap[l] > 0) sum += runner.lap[l];
    if (Math.abs(sum - runner.total) < 1) {
      for (let l = 0; l < legs; l++) if (times[l + 1] === undefined) times[l + 1] = runner.sum[l];
      return times;
    }
    let back = runner.total;
    for (let l = legs - 1; l >= 0;) {
      if (times[l + 1] === undefined) times[l + 1] = back;
      const state = runner.state[l];
      if (state < 0 || !(runner.lap[l] > 0)) break;
      back -= runner.lap[l];
      l = Measures.firstCovered(runner.state, l) - 1;
    }
    return times;
  }

  function runnerModel(raw, cols, i, key, classIndex) {
    const legs = raw.AnaLegCount;
    const slice = (values) => values.slice(i * legs, (i + 1) * legs);
    const lap = slice(cols.lap).map((code) => (code === 0 ? ABSENT : (code - 1) / raw.LapScale));
    const state = states(raw.LapState, i, legs);
    const lapRank = slice(cols.lapRank);
    const sum = raw.EstSumTime[i] || elapsedTimes(lap, state, raw.TopAverage);
    const status = raw.Status ? raw.Status[i] : '';
    const total = raw.TotalTime[i];
    const runner = {
      index: i,
      key,
      cls: classIndex,
      name: raw.RunnerName[i],
      club: raw.RunnerShozoku[i],
      start: raw.RunnerStartTime[i],
      total,
      status,
      statusText: STATUS_TEXT[status] || status,
      ranked: total > 0 && status === '',
      rank: 0,
      relative: raw.RelativeValue[i],
      cruiseSpeed: raw.CruiseSpeed[i],
      missRate: raw.MissRate[i],
      missTotal: raw.MissTimeTotal[i],
      noMiss: raw.NoMissTime[i],
      lap,
      state,
      lapRank,
      sum,
      sumState: states(raw.SumState, i, legs),
      sumRank: slice(cols.sumRank),
      ratio: Measures.ratios(lap, state, lapRank, raw.TopAverage),
      miss: Measures.missTimes(lap, state, lapRank, raw.TopAverage, raw.CruiseSpeed[i]),
      search: searchText(raw.RunnerName[i] + ' ' + raw.RunnerShozoku[i]),
    };
    runner.line = lineTimes(runner, legs, legs === raw.AnaControlCount + 1);
    return runner;
  }

  function title(raw) {
    return raw.AnaClassName === '' ? UNNAMED : raw.AnaClassName;
  }

  // A runner is known in links by name; a second runner of the same name is "name~2".
  function classModel(raw, classIndex) {
    const cols = { lap: unpack(raw.LapTime), lapRank: unpack(raw.LapRank), sumRank: unpack(raw.EstSumRank) };
    const seen = new Map();
    const runners = [];
    for (let i = 0; i < raw.AnaRunnerCount; i++) {
      const name = raw.RunnerName[i];
      const n = (seen.get(name) || 0) + 1;
      seen.set(name, n);
      runners.push(runnerModel(raw, cols, i, n === 1 ? name : name + '~' + n, classIndex));
    }
    // The total rank among the runs that have one: a run that is not OK, or has no valid
    // total, never takes a place.
    const ranks = Measures.ranks(runners.map((r) => (r.ranked ? r.total : undefined)));
    runners.forEach((r, i) => {
      r.rank = ranks[i];
    });
    const labels = [];
    for (let l = 1; l <= raw.AnaLegCount; l++) labels.push(legLabel(raw.AnaControlCount, l));
    return finish({
      name: raw.AnaClassName,
      title: title(raw),
      classes: [classIndex],
      length: raw.AnaClassLength,
      climb: raw.AnaClassUpHeight,
      legs: raw.AnaLegCount,
      labels,
      top: raw.TopAverage,
      topTotal: raw.TopTotal,
      difficulty: raw.Difficulty2,
      runners,
    });
  }

  // What every model derives from its runners.
  function finish(model) {
    const clubs = [...new Set(model.runners.map((r) => r.club).filter((c) => c.trim() !== ''))];
    clubs.sort((a, b) => a.localeCompare(b, 'ja'));
    return Object.assign(model, {
      toLabels: model.labels.map((label) => label.slice(label.indexOf('→') + 1)),
      byKey: new Map(model.runners.map((r) => [r.key, r])),
      clubs,
    });
  }

  // The ranked runners in the order of their rank, then the others in class order.
  function resultOrder(model) {
    const ranked = model.runners.filter((r) => r.ranked).sort((a, b) => a.rank - b.rank || a.index - b.index);
    return ranked.concat(model.runners.filter((r) => !r.ranked));
  }

  // The winner: the best ranked runner.
  function winner(model) {
    const first = resultOrder(model)[0];
    return first && first.ranked ? first : null;
  }

  return { load, classModel, finish, winner, resultOrder, searchText, legLabel, spanLabel, title, UNNAMED, ABSENT };
})();
