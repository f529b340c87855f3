// What the page shows, kept in the address's fragment so that a link opens the same view:
// #c=class&w=class&r=runner&r=runner&v=view&ref=reference&m=lap|sum&s=sort&mt=seconds&mp=percent
// w names a class compared with c (repeated for more), s is total, name, club or a leg number,
// with "-" in front for the other way round; mt and mp are what counts as a mistake.
// A fragment without r chooses the default runners; "r=" alone chooses none.
const State = (() => {
  const VIEWS = ['table', 'graph', 'clock', 'position', 'percent', 'miss', 'card', 'team'];

  function number(params, key, fallback) {
    const value = Number(params.get(key));
    return params.has(key) && params.get(key) !== '' && Number.isFinite(value) && value >= 0 ? value : fallback;
  }

  function parse(hash) {
    const params = new URLSearchParams(String(hash).replace(/^#/, ''));
    const threshold = Measures.DEFAULT_THRESHOLD;
    return {
      cls: params.has('c') ? params.get('c') : null,
      with: params.getAll('w'),
      runners: params.has('r') ? params.getAll('r').filter((key) => key !== '') : null,
      view: VIEWS.includes(params.get('v')) ? params.get('v') : 'table',
      ref: params.get('ref'),
      mode: params.get('m') === 'sum' ? 'sum' : 'lap',
      sort: params.get('s') || 'total',
      threshold: { seconds: number(params, 'mt', threshold.seconds), percent: number(params, 'mp', threshold.percent) },
    };
  }

  function serialize(state) {
    const params = new URLSearchParams();
    params.append('c', state.cls);
    for (const name of state.with) params.append('w', name);
    if (state.runners.length === 0) params.append('r', '');
    for (const key of state.runners) params.append('r', key);
    params.append('v', state.view);
    params.append('ref', state.ref);
    params.append('m', state.mode);
    params.append('s', state.sort);
    params.append('mt', state.threshold.seconds);
    params.append('mp', state.threshold.percent);
    return '#' + params.toString();
  }

  return { parse, serialize, VIEWS };
})();
