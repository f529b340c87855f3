// What the page shows, kept in the address's fragment so that a link opens the same view:
// #c=class&r=runner&r=runner&v=view&ref=reference&m=lap|sum&s=total|leg.
// A fragment without r chooses the default runners; "r=" alone chooses none.
const State = (() => {
  const VIEWS = ['table', 'graph', 'miss', 'card'];

  function parse(hash) {
    const params = new URLSearchParams(String(hash).replace(/^#/, ''));
    return {
      cls: params.has('c') ? params.get('c') : null,
      runners: params.has('r') ? params.getAll('r').filter((key) => key !== '') : null,
      view: VIEWS.includes(params.get('v')) ? params.get('v') : 'table',
      ref: params.get('ref'),
      mode: params.get('m') === 'sum' ? 'sum' : 'lap',
      sort: params.get('s') || 'total',
    };
  }

  function serialize(state) {
    const params = new URLSearchParams();
    params.append('c', state.cls);
    if (state.runners.length === 0) params.append('r', '');
    for (const key of state.runners) params.append('r', key);
    params.append('v', state.view);
    params.append('ref', state.ref);
    params.append('m', state.mode);
    params.append('s', state.sort);
    return '#' + params.toString();
  }

  return { parse, serialize, VIEWS };
})();
