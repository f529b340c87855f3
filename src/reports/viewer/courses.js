// Classes run on one course, compared together: one field of runners, each marked with its
// class. The race data holds no control codes, so classes count as one course when they have
// the same controls, the same finish leg, the same length and the same climb, the length being
// known. Relay legs are never put together this way: their variants are different courses.
const Courses = (() => {
  function courseKey(race, index, relays) {
    const raw = race.classes[index];
    if (!(raw.AnaClassLength > 0) || relays.of(index)) return null;
    return [raw.AnaControlCount, raw.AnaLegCount, raw.AnaClassLength, raw.AnaClassUpHeight].join('/');
  }

  // The other classes of the race on the course of class index (relays: what Relays.find
  // found).
  function partners(race, index, relays) {
    const key = courseKey(race, index, relays);
    if (key === null) return [];
    const list = [];
    race.classes.forEach((raw, i) => {
      if (i !== index && courseKey(race, i, relays) === key) list.push(i);
    });
    return list;
  }

  function topAverages(runners, legs) {
    const top = [];
    for (let l = 0; l < legs; l++) {
      const times = runners.filter((r) => r.lapRank[l] > 0).map((r) => r.lap[l]).sort((a, b) => a - b).slice(0, 3);
      top.push(times.length ? times.reduce((a, b) => a + b, 0) / times.length : 0);
    }
    return top;
  }

  // One model of the runners of several classes of one course: ranks taken again over the whole
  // field (leg, elapsed and total), the top averages of the field; every runner keeps the ratios
  // and miss times of the analysis of its own class. A runner of another class than the first
  // is known in links as "name@class".
  function combined(models) {
    const first = models[0];
    const runners = [];
    models.forEach((m, c) => {
      for (const r of m.runners) {
        runners.push(Object.assign({}, r, { key: c === 0 ? r.key : r.key + '@' + m.name, classTitle: m.title }));
      }
    });
    const legs = first.legs;
    for (let l = 0; l < legs; l++) {
      const lapRanks = Measures.ranks(runners.map((r) => (r.lapRank[l] > 0 ? r.lap[l] : undefined)));
      const sumRanks = Measures.ranks(runners.map((r) => (r.sumRank[l] > 0 && r.sumState[l] !== -2 ? r.sum[l] : undefined)));
      runners.forEach((r, i) => {
        if (l === 0) {
          r.lapRank = r.lapRank.slice();
          r.sumRank = r.sumRank.slice();
        }
        r.lapRank[l] = lapRanks[i];
        r.sumRank[l] = sumRanks[i];
      });
    }
    const totals = Measures.ranks(runners.map((r) => (r.ranked ? r.total : undefined)));
    runners.forEach((r, i) => {
      r.rank = totals[i];
    });
    runners.sort((a, b) => (a.ranked === b.ranked ? (a.ranked ? a.rank - b.rank : 0) : a.ranked ? -1 : 1));
    runners.forEach((r, i) => {
      r.index = i;
    });
    const top = topAverages(runners, legs);
    return Race.finish(Object.assign({}, first, {
      title: models.map((m) => m.title).join(' + '),
      classes: models.flatMap((m) => m.classes),
      top,
      topTotal: top.reduce((a, b) => a + b, 0),
      runners,
    }));
  }

  return { partners, combined };
})();
