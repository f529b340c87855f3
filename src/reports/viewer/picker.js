// Choosing runners: the tick boxes of the table rows and of the runner list beside the graphs
// share one behaviour, kept here.
const Picker = (() => {
  const { h } = Dom;

  // entries: {runner, element, box, swatch}. update(colours) ticks and colours the chosen
  // runners (colours: key -> colour); filter(text) hides the entries whose name and club do
  // not contain the text. Both touch only the entries that change.
  function selectable(entries) {
    const shown = new Map();  // entry -> colour
    let hidden = new Set();
    return {
      update(colours) {
        for (const entry of entries) {
          const colour = colours.get(entry.runner.key);
          if (shown.get(entry) === colour) continue;
          shown.set(entry, colour);
          entry.box.checked = colour !== undefined;
          entry.element.classList.toggle('chosen', colour !== undefined);
          entry.swatch.style.background = colour || 'transparent';
        }
      },
      filter(text) {
        const now = new Set(text === '' ? [] : entries.filter((e) => !e.runner.search.includes(text)));
        for (const entry of hidden) if (!now.has(entry)) entry.element.hidden = false;
        for (const entry of now) if (!hidden.has(entry)) entry.element.hidden = true;
        hidden = now;
      },
    };
  }

  // One tick box with the runner's colour swatch.
  function tick(runner, onToggle) {
    const box = document.createElement('input');
    box.type = 'checkbox';
    box.setAttribute('aria-label', runner.name);
    box.addEventListener('change', () => onToggle(runner.key, box.checked));
    const swatch = document.createElement('span');
    swatch.className = 'swatch';
    return { box, swatch };
  }

  // The runner list of the graph views. classMark(runner) names the class of a runner when
  // several classes are shown together.
  function list(model, onToggle, classMark) {
    const entries = Race.resultOrder(model).map((runner) => {
      const { box, swatch } = tick(runner, onToggle);
      const element = h('li', { 'data-key': runner.key },
        h('label', null, box, h('span', { class: 'pos' }, runner.ranked ? runner.rank : '-'), swatch,
          h('span', { class: 'name', title: runner.club }, runner.name),
          classMark ? h('span', { class: 'cls' }, classMark(runner)) : null));
      return { runner, element, box, swatch };
    });
    // Open beside the graph on a wide screen; folded above it on a narrow one, where the graph
    // would otherwise start below the fold.
    const wide = !window.matchMedia || window.matchMedia('(min-width: 701px)').matches;
    const node = h('details', { class: 'picker', open: wide },
      h('summary', null, '選手 (' + model.runners.length + '人)'),
      h('ul', null, entries.map((e) => e.element)));
    return Object.assign({ node }, selectable(entries));
  }

  return { selectable, tick, list };
})();
