// The race embedded in the page, and the model of one class that every view reads.
const Race = (() => {
  const UNNAMED = '名称未設定';

  function load() {
    const node = document.getElementById('race-data');
    return JSON.parse(node ? node.textContent : 'null');
  }

  function zeros(n) {
    return new Array(n).fill(0);
  }

  // Names and clubs compared as typed: width, letter case and blanks ignored.
  function searchText(text) {
    return String(text).normalize('NFKC').toLowerCase().replace(/\s+/g, '');
  }

  function runnerModel(raw, i, key) {
    const legs = raw.AnaLegCount;
    const lap = raw.LapTime[i];
    const state = raw.LapState[i] || zeros(legs);
    const lapRank = raw.LapRank[i];
    return {
      index: i,
      key,
      name: raw.RunnerName[i],
      club: raw.RunnerShozoku[i],
      total: raw.TotalTime[i],
      rank: raw.TotalRank[i],
      relative: raw.RelativeValue[i],
      cruiseSpeed: raw.CruiseSpeed[i],
      missRate: raw.MissRate[i],
      missTotal: raw.MissTimeTotal[i],
      noMiss: raw.NoMissTime[i],
      lap,
      state,
      lapRank,
      sum: raw.EstSumTime[i],
      sumState: raw.SumState[i] || zeros(legs),
      sumRank: raw.EstSumRank[i],
      ratio: Measures.ratios(lap, state, lapRank, raw.TopAverage),
      miss: Measures.missTimes(lap, state, lapRank, raw.TopAverage, raw.CruiseSpeed[i]),
      search: searchText(raw.RunnerName[i] + ' ' + raw.RunnerShozoku[i]),
    };
  }

  // A runner is known in links by name; a second runner of the same name is "name~2".
  function classModel(raw) {
    const seen = new Map();
    const runners = [];
    for (let i = 0; i < raw.AnaRunnerCount; i++) {
      const name = raw.RunnerName[i];
      const n = (seen.get(name) || 0) + 1;
      seen.set(name, n);
      runners.push(runnerModel(raw, i, n === 1 ? name : name + '~' + n));
    }
    const labels = raw.LegLabel;
    const clubs = [...new Set(runners.map((r) => r.club).filter((c) => c.trim() !== ''))];
    clubs.sort((a, b) => a.localeCompare(b, 'ja'));
    return {
      name: raw.AnaClassName,
      title: raw.AnaClassName === '' ? UNNAMED : raw.AnaClassName,
      length: raw.AnaClassLength,
      climb: raw.AnaClassUpHeight,
      legs: raw.AnaLegCount,
      labels,
      toLabels: labels.map((label) => label.slice(label.indexOf('→') + 1)),
      top: raw.TopAverage,
      topTotal: raw.TopTotal,
      difficulty: raw.Difficulty2,
      runners,
      byKey: new Map(runners.map((r) => [r.key, r])),
      clubs,
    };
  }

  // The winner: the first runner when it has a valid total.
  function winner(model) {
    const first = model.runners[0];
    return first && first.total > 0 ? first : null;
  }

  return { load, classModel, winner, searchText, UNNAMED };
})();
