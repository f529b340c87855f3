// The split table of a class: one row per runner with leg times ("ラップ") or elapsed times
// ("積算") and their ranks, the fastest three of each leg coloured as on the results pages.
// Rows follow the class order or the ranks of one leg.
const SplitTable = (() => {
  const { h } = Dom;

  function rankClass(rank) {
    return rank >= 1 && rank <= 3 ? 'leg rank' + rank : 'leg';
  }

  function cell(className, time, rank, colspan) {
    return h('td', { class: className, colspan: colspan > 1 ? colspan : null },
      h('span', { class: 't' }, time), h('span', { class: 'k' }, rank));
  }

  // The rank a leg's sort uses: 0 (not ranked) sorts last.
  function sortRank(runner, l, mode) {
    const rank = mode === 'sum' ? (runner.sumState[l] === -2 ? 0 : runner.sumRank[l]) : runner.lapRank[l];
    return rank > 0 ? rank : Infinity;
  }

  function rowOrder(model, state) {
    const rows = model.runners.slice();
    const leg = Number(state.sort);
    if (!(Number.isInteger(leg) && leg >= 1 && leg <= model.legs)) return rows;
    return rows.sort((a, b) => sortRank(a, leg - 1, state.mode) - sortRank(b, leg - 1, state.mode) || a.index - b.index);
  }

  // Leg cells: a stretch without splits is one cell across its legs holding the merged time.
  function lapCells(model, runner) {
    const cells = [];
    const { state, lap, lapRank } = runner;
    for (let l = 0; l < model.legs; l++) {
      if (state[l] === -1) {
        let j = l;
        while (j < model.legs && state[j] === -1) j++;
        if (j < model.legs && state[j] > 0) {
          cells.push(cell('leg merged', Fmt.time(lap[j]), '-', j - l + 1));
          l = j;
        } else {
          cells.push(cell('leg na', '→', '-'));
        }
      } else if (state[l] < 0) {
        cells.push(cell('leg na', 'n/a', '-'));
      } else if (state[l] > 0) {
        cells.push(cell('leg merged', Fmt.time(lap[l]), '-'));
      } else {
        const rank = lapRank[l];
        cells.push(cell(rankClass(rank), Fmt.time(lap[l]), rank > 0 ? rank : '-'));
      }
    }
    return cells;
  }

  // Elapsed-time cells, as the results pages show them: "n/a" where the leg has no time of its
  // own, and no rank once the elapsed time is no longer valid.
  function sumCells(model, runner) {
    const cells = [];
    for (let l = 0; l < model.legs; l++) {
      const valid = runner.sumState[l] !== -2 && runner.sumRank[l] > 0;
      const rank = valid ? runner.sumRank[l] : 0;
      const time = runner.state[l] < 0 ? 'n/a' : Fmt.time(runner.sum[l]);
      cells.push(cell(rankClass(rank) + (runner.state[l] < 0 ? ' na' : ''), time, valid ? rank : '-'));
    }
    return cells;
  }

  function header(model, state, onSort) {
    const sorted = (key) => (String(state.sort) === key ? 'sorted' : null);
    const th = (className, key, ...text) => h('th', {
      class: [className, sorted(key)].filter(Boolean).join(' '),
      scope: 'col',
      'aria-sort': sorted(key) ? 'ascending' : null,
      onclick: () => onSort(key),
    }, ...text);
    const legs = model.labels.map((label, l) =>
      th('leg', String(l + 1), state.mode === 'sum' ? model.toLabels[l] : label));
    return h('thead', null, h('tr', null, th('pos', 'total', '順位'), th('who', 'total', '名前'),
      th('total', 'total', '記録'), legs));
  }

  function row(model, runner, state, onToggle) {
    const { box, swatch } = Picker.tick(runner, onToggle);
    const element = h('tr', { 'data-key': runner.key },
      h('td', { class: 'pos' }, runner.total > 0 ? runner.rank : '-'),
      h('td', { class: 'who' },
        h('label', null, box, swatch, h('span', { class: 'name' }, runner.name)),
        runner.club.trim() !== '' ? h('span', { class: 'club' }, runner.club) : null),
      h('td', { class: 'total' }, runner.total > 0 ? Fmt.time(runner.total) : '--:--'),
      state.mode === 'sum' ? sumCells(model, runner) : lapCells(model, runner));
    return { runner, element, box, swatch };
  }

  function render(model, state, onSort, onToggle) {
    if (model.runners.length === 0) {
      return Object.assign({ node: h('p', { class: 'empty' }, 'このクラスには選手がいません') },
        Picker.selectable([]));
    }
    const entries = rowOrder(model, state).map((runner) => row(model, runner, state, onToggle));
    const table = h('table', { class: 'splits' }, header(model, state, onSort),
      h('tbody', null, entries.map((e) => e.element)));
    return Object.assign({ node: h('div', { class: 'table-wrap' }, table) }, Picker.selectable(entries));
  }

  return { render };
})();
