// Relays: a result list gives one class per class and leg, named "<class>-<leg>", with
// " <variant>" after it where a leg is run on several courses. The legs of one relay open as one
// relay; its teams are its runners of one club (the team's name) in leg order.
const Relays = (() => {
  const PATTERN = /^(.+)-([1-9][0-9]?)(?: (.+))?$/;

  // {base, leg, variant} of a class name that reads as a relay leg, else null.
  function legOf(name) {
    const m = PATTERN.exec(name);
    return m ? { base: m[1], leg: Number(m[2]), variant: m[3] || '' } : null;
  }

  // The relays of the race: legs 1, 2… without a gap, whose teams run on more than one leg
  // (so that classes such as "D-10" and "D-12" are not taken for one). Every relay is
  // {base, legs: [[class index of each variant] per leg]}; of(index) finds a class's relay.
  function find(race) {
    const bases = new Map();
    race.classes.forEach((raw, index) => {
      const leg = legOf(raw.AnaClassName);
      if (!leg) return;
      if (!bases.has(leg.base)) bases.set(leg.base, []);
      bases.get(leg.base).push(Object.assign({ index }, leg));
    });
    const relays = [];
    const byClass = new Map();
    for (const [base, entries] of bases) {
      const count = Math.max(...entries.map((e) => e.leg));
      const legs = [];
      for (let k = 1; k <= count; k++) legs.push(entries.filter((e) => e.leg === k).sort((a, b) => a.variant.localeCompare(b.variant)));
      if (count < 2 || legs.some((l) => l.length === 0) || !teamsCarryOn(race, legs)) continue;
      const relay = { base, legs: legs.map((l) => l.map((e) => e.index)), variants: legs.map((l) => l.map((e) => e.variant)) };
      relays.push(relay);
      entries.forEach((e) => byClass.set(e.index, { relay, leg: e.leg, variant: e.variant }));
    }
    return { relays, of: (index) => byClass.get(index) || null };
  }

  function teamsCarryOn(race, legs) {
    const clubs = (k) => new Set(legs[k].flatMap((e) => race.classes[e.index].RunnerShozoku.filter((c) => c.trim() !== '')));
    const first = clubs(0);
    const second = clubs(1);
    let shared = 0;
    for (const c of first) if (second.has(c)) shared++;
    return shared > 0 && shared * 2 >= Math.min(first.size, second.size);
  }

  // The teams of a relay with their members in leg order, the team's elapsed time after every
  // leg, the time of day of every changeover and the team's position after every leg. A team
  // is timed as long as every member so far has a valid result.
  function teams(relay, modelOf) {
    const byName = new Map();
    const legCount = relay.legs.length;
    relay.legs.forEach((indices, k) => {
      for (const index of indices) {
        const model = modelOf(index);
        for (const runner of model.runners) {
          const name = runner.club;
          if (!byName.has(name)) byName.set(name, { name, members: new Array(legCount).fill(null) });
          const team = byName.get(name);
          if (!team.members[k]) team.members[k] = { runner, model };
        }
      }
    });
    const list = [...byName.values()];
    for (const team of list) {
      let elapsed = 0;
      let timed = true;
      const first = team.members[0] && team.members[0].runner;
      const start = first && first.start > 0 ? first.start : 0;
      team.legs = team.members.map((member) => {
        const runner = member && member.runner;
        timed = timed && Boolean(runner) && runner.ranked;
        if (timed) elapsed += runner.total;
        let changeover;
        if (runner && runner.start > 0 && runner.total > 0) changeover = runner.start + runner.total;
        else if (timed && start > 0) changeover = start + elapsed;
        return { runner, elapsed: timed ? elapsed : undefined, changeover };
      });
    }
    for (let k = 0; k < legCount; k++) {
      const places = Measures.ranks(list.map((t) => t.legs[k].elapsed));
      const legRanks = Measures.ranks(list.map((t) => (t.legs[k].runner && t.legs[k].runner.ranked ? t.legs[k].runner.total : undefined)));
      list.forEach((t, i) => {
        t.legs[k].place = places[i];
        t.legs[k].legRank = legRanks[i];
      });
    }
    // Finished teams by their place, then the others by how far they came.
    const reached = (t) => t.legs.filter((l) => l.elapsed !== undefined).length;
    list.sort((a, b) => reached(b) - reached(a) || (a.legs[reached(a) - 1] || {}).place - (b.legs[reached(b) - 1] || {}).place || a.name.localeCompare(b.name, 'ja'));
    return list;
  }

  return { legOf, find, teams };
})();
