// Choosing runners: the tick boxes of the table rows and of the runner list beside the graphs
// share one behaviour, kept here.
const Picker = (() => {
  const { h } = Dom;

  // entries: {runner, element, box, swatch}. update(colours) ticks and colours the chosen
  // runners (colours: key -> colour); filter(text) hides the entries whose name and club do
  // not contain the text.
  function selectable(entries) {
    return {
      update(colours) {
        for (const entry of entries) {
          const colour = colours.get(entry.runner.key);
          entry.box.checked = colour !== undefined;
          entry.element.classList.toggle('chosen', colour !== undefined);
          entry.swatch.style.background = colour || 'transparent';
        }
      },
      filter(text) {
        for (const entry of entries) entry.element.hidden = text !== '' && !entry.runner.search.includes(text);
      },
    };
  }

  // One tick box with the runner's colour swatch and name.
  function tick(runner, onToggle) {
    const box = h('input', { type: 'checkbox', 'aria-label': runner.name, onchange: () => onToggle(runner.key, box.checked) });
    const swatch = h('span', { class: 'swatch' });
    return { box, swatch };
  }

  // The runner list of the graph views.
  function list(model, onToggle) {
    const entries = model.runners.map((runner) => {
      const { box, swatch } = tick(runner, onToggle);
      const element = h('li', { 'data-key': runner.key },
        h('label', null, box, h('span', { class: 'pos' }, runner.total > 0 ? runner.rank : '-'), swatch,
          h('span', { class: 'name', title: runner.club }, runner.name)));
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
