// The split table of a class: one row per runner with leg times ("ラップ") or elapsed times
// ("積算") and their ranks, the fastest three of each leg shaded as on the results pages and the
// mistakes marked. The rows are made once; sorting moves them, filtering hides them, choosing
// runners touches only the rows that change.
const SplitTable = (() => {
  const { h } = Dom;
  const MARK = '▼';

  function rankClass(rank) {
    return rank >= 1 && rank <= 3 ? 'leg rank' + rank : 'leg';
  }

  // A cell of a time and its rank, made directly: a big class has thousands of them.
  function cell(className, time, rank, colspan) {
    const td = document.createElement('td');
    td.className = className;
    if (colspan > 1) td.colSpan = colspan;
    const t = document.createElement('span');
    t.className = 't';
    t.textContent = time;
    const k = document.createElement('span');
    k.className = 'k';
    k.textContent = rank;
    td.append(t, k);
    return td;
  }

  // Leg cells: a stretch without splits is one cell across its legs holding the merged time.
  // legCells[l] is the cell that shows leg l.
  function lapCells(model, runner, legCells) {
    const cells = [];
    const { state, lap, lapRank } = runner;
    for (let l = 0; l < model.legs; l++) {
      let td;
      if (state[l] === -1) {
        let j = l;
        while (j < model.legs && state[j] === -1) j++;
        if (j < model.legs && state[j] > 0) {
          td = cell('leg merged', Fmt.time(lap[j]), '-', j - l + 1);
          for (let m = l; m <= j; m++) legCells[m] = td;
          cells.push(td);
          l = j;
          continue;
        }
        // A stretch without splits that never ends in a time has no time to show.
        td = cell('leg na', 'n/a', '-');
      } else if (state[l] < 0) {
        td = cell('leg na', 'n/a', '-');
      } else if (state[l] > 0) {
        td = cell('leg merged', Fmt.time(lap[l]), '-');
      } else {
        const rank = lapRank[l];
        td = cell(rankClass(rank), Fmt.time(lap[l]), rank > 0 ? rank : '-');
      }
      legCells[l] = td;
      cells.push(td);
    }
    return cells;
  }

  // Elapsed-time cells, as the results pages show them: "n/a" where the leg has no time of its
  // own, and no rank once the elapsed time is no longer valid.
  function sumCells(model, runner, legCells) {
    const cells = [];
    for (let l = 0; l < model.legs; l++) {
      const valid = runner.sumState[l] !== -2 && runner.sumRank[l] > 0;
      const rank = valid ? runner.sumRank[l] : 0;
      const time = runner.state[l] < 0 ? 'n/a' : Fmt.time(runner.sum[l]);
      const td = cell(rankClass(rank) + (runner.state[l] < 0 ? ' na' : ''), time, valid ? rank : '-');
      legCells[l] = td;
      cells.push(td);
    }
    return cells;
  }

  // What stands where the total would: the time, or the status of a run that is not OK.
  function totalText(runner) {
    if (runner.statusText) return runner.statusText;
    return runner.total > 0 ? Fmt.time(runner.total) : '--:--';
  }

  // --- sorting ----------------------------------------------------------------------------------

  // "3", "-3", "name", "-club": the key and its direction.
  function parseSort(sort) {
    const text = String(sort);
    return text.startsWith('-') ? { key: text.slice(1), down: true } : { key: text, down: false };
  }

  const collator = new Intl.Collator('ja');

  // What a sort orders by; undefined where a runner has nothing to order by.
  function sortValue(model, key, mode) {
    if (key === 'name') return (r) => r.name;
    if (key === 'club') return (r) => r.club.trim() || undefined;
    const leg = Number(key) - 1;
    if (Number.isInteger(leg) && leg >= 0 && leg < model.legs) {
      if (mode === 'sum') return (r) => (r.sumState[leg] !== -2 && r.sumRank[leg] > 0 ? r.sumRank[leg] : undefined);
      return (r) => (r.lapRank[leg] > 0 ? r.lapRank[leg] : undefined);
    }
    return (r) => (r.ranked ? r.rank : undefined);
  }

  // The runners in the order of the sort, either way; those with nothing to order by come last
  // in result order, and so do ties.
  function rowOrder(model, mode, sort) {
    const { key, down } = parseSort(sort);
    const value = sortValue(model, key, mode);
    const byResult = Race.resultOrder(model);
    const position = new Map(byResult.map((r, i) => [r, i]));
    const present = [];
    const missing = [];
    for (const r of byResult) (value(r) === undefined ? missing : present).push(r);
    const compare = key === 'name' || key === 'club'
      ? (a, b) => collator.compare(value(a), value(b)) : (a, b) => value(a) - value(b);
    present.sort((a, b) => (down ? -compare(a, b) : compare(a, b)) || position.get(a) - position.get(b));
    return present.concat(missing);
  }

  // --- building ---------------------------------------------------------------------------------

  function header(model, mode, onSort) {
    const th = (className, key, ...buttons) => {
      const node = h('th', { class: className, scope: 'col', 'data-sort': key });
      for (const [sortKey, caption, label] of buttons) {
        node.append(h('button', { type: 'button', 'data-sort': sortKey, 'aria-label': label, onclick: () => onSort(sortKey) }, caption));
      }
      return node;
    };
    const legs = model.labels.map((label, l) => {
      const caption = mode === 'sum' ? model.toLabels[l] : label;
      return th('leg', String(l + 1), [String(l + 1), caption, caption + ' で並べ替え']);
    });
    return h('thead', null, h('tr', null,
      th('pos', 'total', ['total', '順位', '順位で並べ替え']),
      th('who', 'name', ['name', '名前', '名前で並べ替え'], ['club', '所属', '所属で並べ替え']),
      th('total', 'total', ['total', '記録', '記録で並べ替え']), legs));
  }

  function row(model, runner, mode, onToggle, classMark) {
    const { box, swatch } = Picker.tick(runner, onToggle);
    const legCells = new Array(model.legs);
    const tr = document.createElement('tr');
    tr.dataset.key = runner.key;
    const club = runner.club.trim() !== '' || classMark
      ? h('span', { class: 'club' }, classMark ? [h('span', { class: 'cls' }, classMark), ' '] : null, runner.club) : null;
    const who = h('td', { class: 'who' }, h('label', null, box, swatch, h('span', { class: 'name' }, runner.name)), club);
    tr.append(h('td', { class: 'pos' }, runner.ranked ? runner.rank : '-'), who,
      h('td', { class: runner.statusText ? 'total status' : 'total' }, totalText(runner)),
      ...(mode === 'sum' ? sumCells(model, runner, legCells) : lapCells(model, runner, legCells)));
    return { runner, element: tr, box, swatch, legCells, colour: undefined, marks: [] };
  }

  // The mistakes of the lap view: a mark before the time, not only a shade.
  function markRow(entry, threshold) {
    for (const td of entry.marks) {
      td.classList.remove('mistake');
      td.removeAttribute('title');
      td.firstChild.firstChild.remove();
    }
    entry.marks = [];
    if (!threshold) return;
    for (const l of Measures.mistakes(entry.runner, threshold).legs) {
      const td = entry.legCells[l];
      td.classList.add('mistake');
      td.title = 'ミス ' + Fmt.signedTime(entry.runner.miss[l]);
      const mark = document.createElement('span');
      mark.className = 'mark';
      mark.textContent = MARK;
      td.firstChild.prepend(mark);
      entry.marks.push(td);
    }
  }

  function colourRow(entry, colour) {
    if (entry.colour === colour) return;
    entry.colour = colour;
    entry.box.checked = colour !== undefined;
    entry.element.classList.toggle('chosen', colour !== undefined);
    entry.swatch.style.background = colour || 'transparent';
  }

  // The most characters a leg cell's time takes (with the mark of a mistake in the lap view).
  function longestTime(model, mode) {
    let longest = 0;
    for (const runner of model.runners) {
      for (const t of mode === 'sum' ? runner.sum : runner.lap) if (t > 0) longest = Math.max(longest, Fmt.time(t).length);
    }
    return Math.max(4, longest + (mode === 'lap' ? 1 : 0));
  }

  // Rows beyond the screen are not in the page: a big class would otherwise take seconds to lay
  // out. This many rows are kept above and below what is seen.
  const SPARE_ROWS = 6;

  // The table of a model in one mode. classMark(runner) names the class of a runner when several
  // classes are shown together. Rows are made when first seen and kept; only those around the
  // scrolled place are in the page, between two spacers as high as the rows they stand for.
  function build(model, mode, onSort, onToggle, classMark) {
    if (model.runners.length === 0) {
      return { node: h('p', { class: 'empty' }, 'このクラスには選手がいません'), sort() {}, mark() {}, update() {}, filter() {}, refresh() {}, showAll() {}, shown: () => 0 };
    }
    const columns = 3 + model.legs;
    const entries = new Map();
    let order = Race.resultOrder(model);
    let listed = order;
    let filterText = '';
    let colours = new Map();
    let threshold = null;
    let currentSort = null;
    let rowHeight = 0;
    let range = null;
    let everything = false;

    const thead = header(model, mode, onSort);
    const tbody = h('tbody');
    const table = h('table', { class: 'splits' }, thead, tbody);
    // Printing shrinks the letters of a table with many legs, or long times, to fit the page.
    table.style.setProperty('--legs', String(model.legs));
    table.style.setProperty('--chars', String(longestTime(model, mode)));
    const node = h('div', { class: 'table-wrap' }, table);
    const spacer = () => h('tr', { class: 'spacer', 'aria-hidden': 'true' }, h('td', { colspan: columns }));
    const above = spacer();
    const below = spacer();

    function entryOf(runner) {
      let entry = entries.get(runner);
      if (!entry) {
        entry = row(model, runner, mode, onToggle, classMark && classMark(runner));
        if (mode === 'lap') markRow(entry, threshold);
        entries.set(runner, entry);
      }
      colourRow(entry, colours.get(runner.key));
      return entry;
    }

    // Puts in the rows around the scrolled place.
    // Puts in the rows around the scrolled place. It reads nothing of the layout, which would
    // make the browser lay the page out there and then again: the scrolled place is kept from
    // the scroll events, the height of a row is measured once after a frame has been drawn.
    let scrolled = 0;
    const idle = window.requestIdleCallback || ((work) => setTimeout(work, 1));
    function paint() {
      if (everything) return;
      const height = rowHeight || 36;
      // The table's frame is never taller than the window less the controls above it.
      const seen = Math.max(200, (window.innerHeight || 800) - 150);
      // Before the first frame only what can be seen: the spare rows follow once it is drawn.
      const spare = rowHeight ? SPARE_ROWS : 0;
      const first = Math.max(0, Math.floor(scrolled / height) - spare);
      const last = Math.min(listed.length, Math.ceil((scrolled + seen) / height) + spare);
      if (range && range.first === first && range.last === last && range.listed === listed) return;
      range = { first, last, listed };
      above.style.height = first * height + 'px';
      below.style.height = (listed.length - last) * height + 'px';
      tbody.replaceChildren(above, ...listed.slice(first, last).map((r) => entryOf(r).element), below);
      // Measured when the browser has nothing else to do, after the frame is drawn.
      if (!rowHeight && last > first) idle(measure);
    }

    function measure() {
      const row = tbody.children[1];
      const measured = row && row.isConnected ? row.getBoundingClientRect().height : 0;
      if (measured > 0 && !rowHeight) {
        rowHeight = measured;
        range = null;
        paint();
        idle(makeRows);
      }
    }

    // The other rows are made while the browser has nothing else to do, a few at a time, so
    // that a sort or a search only has to put them in.
    let made = 0;
    function makeRows(deadline) {
      const runners = model.runners;
      while (made < runners.length && (!deadline || deadline.timeRemaining() > 2)) entryOf(runners[made++]);
      if (made < runners.length) idle(makeRows);
    }

    let pending = 0;
    node.addEventListener('scroll', () => {
      scrolled = node.scrollTop;
      if (!pending) pending = requestAnimationFrame(() => {
        pending = 0;
        paint();
      });
    });

    function relist() {
      listed = filterText === '' ? order : order.filter((r) => r.search.includes(filterText));
      range = null;
      paint();
    }

    return {
      node,
      // Rows in the order of the sort; the header tells which column and which way.
      sort(sortText) {
        if (sortText === currentSort) return;
        currentSort = sortText;
        order = rowOrder(model, mode, sortText);
        const { key, down } = parseSort(sortText);
        for (const th of thead.querySelectorAll('th')) {
          const buttons = [...th.querySelectorAll('button')];
          const on = buttons.find((b) => b.dataset.sort === key);
          th.classList.toggle('sorted', Boolean(on));
          if (on) th.setAttribute('aria-sort', down ? 'descending' : 'ascending');
          else th.removeAttribute('aria-sort');
          for (const b of buttons) b.classList.toggle('on', b === on);
        }
        relist();
      },
      // Only the runners whose name or club holds the text.
      filter(text) {
        if (text === filterText) return;
        filterText = text;
        relist();
      },
      // Ticks and colours the chosen runners (key -> colour).
      update(map) {
        colours = map;
        for (const entry of entries.values()) colourRow(entry, colours.get(entry.runner.key));
      },
      mark(newThreshold) {
        threshold = mode === 'lap' ? newThreshold : null;
        for (const entry of entries.values()) markRow(entry, threshold);
      },
      // Paints again after the table was hidden or its size changed.
      refresh() {
        range = null;
        paint();
      },
      // Every row in the page (for printing), or back to the rows around the scrolled place.
      showAll(on) {
        everything = on;
        if (on) tbody.replaceChildren(...listed.map((r) => entryOf(r).element));
        else this.refresh();
      },
      shown: () => listed.length,
    };
  }

  return { build, parseSort, rowOrder, totalText, MARK };
})();
