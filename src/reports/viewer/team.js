// The team view of a relay: every team with its members in leg order, each member's leg time and
// its rank on the leg, the time of day of the changeover, and the team's elapsed time and
// position after every leg.
const TeamView = (() => {
  const { h } = Dom;

  function legCell(leg) {
    if (!leg.runner) return h('td', { class: 'team-leg none' }, '-');
    const r = leg.runner;
    const time = r.statusText || (r.total > 0 ? Fmt.time(r.total) : '--:--');
    return h('td', { class: 'team-leg' },
      h('div', { class: 'member' }, r.name),
      h('div', { class: 'leg-time' }, time, leg.legRank > 0 ? ' (' + leg.legRank + ')' : ''),
      h('div', { class: 'after' }, leg.elapsed !== undefined ? Fmt.time(leg.elapsed) + ' ' + leg.place + '位' : '-'),
      h('div', { class: 'changeover' }, leg.changeover !== undefined ? Fmt.clock(leg.changeover) : ''));
  }

  function render(relay, teams, legLabel) {
    const legs = relay.legs.length;
    const head = h('tr', null, h('th', { class: 'pos' }, '順位'), h('th', { class: 'team-name' }, 'チーム'),
      Array.from({ length: legs }, (_, k) => h('th', null, legLabel(k))));
    const rows = teams.map((team) => {
      const last = team.legs[legs - 1];
      return h('tr', { 'data-team': team.name },
        h('td', { class: 'pos' }, last.elapsed !== undefined ? last.place : '-'),
        h('td', { class: 'team-name' }, team.name || '(チーム名なし)',
          last.elapsed !== undefined ? h('div', { class: 'team-total' }, Fmt.time(last.elapsed)) : null),
        team.legs.map(legCell));
    });
    return h('div', { class: 'panel team-panel' }, h('h2', null, relay.base + ' チーム'),
      h('p', { class: 'hint' }, '各走者の欄: 名前 / 区間タイム (区間順位) / その走を終えた時点の合計と順位 / 引き継ぎの時刻'),
      h('div', { class: 'table-wrap' }, h('table', { class: 'teams' }, h('thead', null, head), h('tbody', null, rows))));
  }

  return { render };
})();
