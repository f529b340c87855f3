// The page: race header, class and view choice, runner choice, and the views of the class.
// The state lives in the address's fragment; every change writes it back.
const App = (() => {
  const { h, clear } = Dom;
  const VIEWS = [['table', '成績表'], ['graph', 'レースグラフ'], ['miss', 'ミスタイム'], ['card', '選手カード']];
  const PALETTE = ['#d62728', '#1f77b4', '#2ca02c', '#ff7f0e', '#9467bd', '#8c564b', '#e377c2', '#17becf', '#bcbd22', '#7f7f7f'];
  const DEFAULT_RUNNERS = 5;

  let race = null;
  const models = [];
  let state = null;  // {index, runners: [key], view, ref, mode, sort}
  let filterText = '';
  let writtenHash = null;
  const ui = {};

  function model() {
    const i = state.index;
    if (!models[i]) models[i] = Race.classModel(race.classes[i]);
    return models[i];
  }

  function topRunners(m) {
    return m.runners.slice(0, DEFAULT_RUNNERS).map((r) => r.key);
  }

  function colours() {
    return new Map(state.runners.map((key, i) => [key, PALETTE[i % PALETTE.length]]));
  }

  function chosen() {
    const m = model();
    return state.runners.map((key, i) => ({ runner: m.byKey.get(key), colour: PALETTE[i % PALETTE.length] }));
  }

  function findClass(name) {
    if (name === null) return 0;
    let i = race.classes.findIndex((c) => c.AnaClassName === name);
    if (i < 0) i = race.classes.findIndex((c) => c.AnaClassName.toLowerCase() === name.toLowerCase());
    return i < 0 ? 0 : i;
  }

  function stateFromFragment(hash) {
    const parsed = State.parse(hash);
    state = { index: findClass(parsed.cls), view: parsed.view, mode: parsed.mode, sort: parsed.sort };
    const m = model();
    state.runners = parsed.runners === null ? topRunners(m) : [...new Set(parsed.runners.filter((k) => m.byKey.has(k)))];
    state.ref = RaceGraph.isReference(m, parsed.ref) ? parsed.ref : RaceGraph.defaultReference(m);
    const leg = Number(state.sort);
    if (!(Number.isInteger(leg) && leg >= 1 && leg <= m.legs)) state.sort = 'total';
  }

  function writeFragment() {
    const hash = State.serialize(Object.assign({}, state, { cls: model().name }));
    writtenHash = hash;
    ui.link.setAttribute('href', hash);
    if (location.hash === hash) return;
    try {
      history.replaceState(null, '', hash);
    } catch (e) {
      location.hash = hash;
    }
  }

  // --- building the fixed parts -------------------------------------------------------------

  function raceHeader() {
    const sub = [race.RaceDate ? Fmt.date(race.RaceDate) : '', race.RacePlace, race.RaceRemarks]
      .filter((t) => t && t.trim() !== '').map((t) => h('span', null, t));
    return h('header', { class: 'race-header' }, h('h1', null, race.RaceName || '分析ビューア'),
      sub.length ? h('div', { class: 'race-sub' }, sub) : null);
  }

  function controls() {
    ui.classSelect = h('select', { id: 'class-select', onchange: () => chooseClass(Number(ui.classSelect.value)) },
      race.classes.map((c, i) => h('option', { value: i },
        (c.AnaClassName === '' ? Race.UNNAMED : c.AnaClassName) + ' (' + c.AnaRunnerCount + '人)')));
    ui.classInfo = h('span', { class: 'class-info' });
    ui.tabs = VIEWS.map(([view, caption]) => h('button', { type: 'button', 'data-view': view, onclick: () => chooseView(view) }, caption));
    // The address of what is shown, to copy or bookmark.
    ui.link = h('a', { class: 'permalink', href: '#' }, 'この表示へのリンク');
    return h('div', { class: 'controls' }, h('label', null, 'クラス ', ui.classSelect), ui.classInfo,
      h('div', { class: 'tabs', role: 'group', 'aria-label': '表示' }, ui.tabs), ui.link);
  }

  function chooser() {
    ui.search = h('input', { type: 'search', placeholder: '名前・所属で検索', 'aria-label': '選手を検索', oninput: () => {
      filterText = Race.searchText(ui.search.value);
      applyFilter();
    } });
    ui.clubSelect = h('select', { 'aria-label': '所属でまとめて選ぶ', onchange: () => chooseClub(ui.clubSelect.value) });
    ui.count = h('span', { class: 'count' });
    return h('div', { class: 'choose' }, ui.search, ui.clubSelect,
      h('button', { type: 'button', onclick: () => chooseRunners(topRunners(model())) }, '上位' + DEFAULT_RUNNERS + '人'),
      h('button', { type: 'button', onclick: () => chooseRunners([]) }, '選択解除'), ui.count);
  }

  function modeButtons() {
    return [['lap', 'ラップ'], ['sum', '積算']].map(([mode, caption]) =>
      h('button', { type: 'button', 'aria-pressed': String(state.mode === mode), onclick: () => chooseMode(mode) }, caption));
  }

  // --- rendering ----------------------------------------------------------------------------

  function renderClass() {
    const m = model();
    ui.classSelect.value = String(state.index);
    const info = [];
    if (m.length > 0) info.push(m.length + 'm' + (m.climb > 0 ? ' ↑' + m.climb + 'm' : ''));
    info.push(m.runners.length + '人');
    ui.classInfo.textContent = info.join('  ');
    clear(ui.clubSelect).append(h('option', { value: '' }, '所属でまとめて選ぶ…'),
      ...m.clubs.map((club) => h('option', { value: club }, club)));
    ui.picker = Picker.list(m, toggleRunner);
    clear(ui.pickerSlot).append(ui.picker.node);
    renderTable();
  }

  function renderTable() {
    const m = model();
    ui.table = SplitTable.render(m, state, chooseSort, toggleRunner);
    clear(ui.tableTools).append(h('div', { class: 'mode', role: 'group', 'aria-label': 'タイム' }, modeButtons()),
      h('span', { class: 'hint' }, '見出しを押すとその列の順に並べ替えます'));
    clear(ui.tableSlot).append(h('h2', { class: 'print-only' }, m.title + '  ' + ui.classInfo.textContent), ui.table.node);
    ui.table.update(colours());
    ui.table.filter(filterText);
  }

  function panelWidth() {
    const width = ui.viewSlot.clientWidth - 18;
    return width > 200 ? width : 800;
  }

  function renderView() {
    for (const button of ui.tabs) button.setAttribute('aria-pressed', String(button.dataset.view === state.view));
    ui.tableView.hidden = state.view !== 'table';
    ui.otherView.hidden = state.view === 'table';
    if (state.view === 'table') return;
    const m = model();
    const list = chosen();
    let node;
    if (state.view === 'graph') node = RaceGraph.render(m, state, list, panelWidth(), chooseReference);
    else if (state.view === 'miss') node = MissBars.render(m, state, list, panelWidth());
    else node = RunnerCards.render(m, state, list);
    clear(ui.viewSlot).append(node);
  }

  function renderSelection() {
    const map = colours();
    ui.table.update(map);
    ui.picker.update(map);
    ui.count.textContent = state.runners.length + '人を選択中';
    renderView();
  }

  function applyFilter() {
    ui.table.filter(filterText);
    ui.picker.filter(filterText);
  }

  function renderAll() {
    renderClass();
    renderSelection();
    applyFilter();
    writeFragment();
  }

  // --- choices --------------------------------------------------------------------------------

  function chooseClass(index) {
    state.index = index;
    const m = model();
    state.runners = topRunners(m);
    state.ref = RaceGraph.defaultReference(m);
    state.sort = 'total';
    renderAll();
  }

  function chooseView(view) {
    state.view = view;
    renderView();
    writeFragment();
  }

  function chooseMode(mode) {
    state.mode = mode;
    renderTable();
    writeFragment();
  }

  function chooseSort(key) {
    state.sort = key;
    renderTable();
    writeFragment();
  }

  function chooseReference(ref) {
    state.ref = ref;
    renderView();
    writeFragment();
  }

  function chooseRunners(keys) {
    state.runners = keys;
    if (state.ref.startsWith('r:') && !keys.includes(state.ref.slice(2))) state.ref = RaceGraph.defaultReference(model());
    renderSelection();
    writeFragment();
  }

  function toggleRunner(key, on) {
    const keys = state.runners.filter((k) => k !== key);
    if (on) keys.push(key);
    chooseRunners(keys);
  }

  function chooseClub(club) {
    ui.clubSelect.value = '';
    if (club !== '') chooseRunners(model().runners.filter((r) => r.club === club).map((r) => r.key));
  }

  // --- start ------------------------------------------------------------------------------------

  function start() {
    const root = document.getElementById('app');
    try {
      race = Race.load();
    } catch (e) {
      race = null;
    }
    if (!race || !Array.isArray(race.classes)) {
      root.append(h('p', { class: 'message' }, '分析データを読み込めませんでした'));
      return;
    }
    document.title = (race.RaceName ? race.RaceName + ' ' : '') + '分析ビューア';
    root.append(raceHeader());
    if (race.classes.length === 0) {
      root.append(h('p', { class: 'message' }, 'クラスがありません'));
      return;
    }
    ui.tableTools = h('div', { class: 'table-tools' });
    ui.tableSlot = h('div');
    ui.pickerSlot = h('div');
    ui.viewSlot = h('div', { class: 'view-slot' });
    ui.tableView = h('section', { class: 'view view-table' }, ui.tableTools, ui.tableSlot);
    ui.otherView = h('section', { class: 'view view-other' }, h('div', { class: 'compare' }, ui.pickerSlot, ui.viewSlot));
    root.append(controls(), chooser(), h('main', null, ui.tableView, ui.otherView));
    stateFromFragment(location.hash);
    renderAll();
    window.addEventListener('hashchange', () => {
      if (location.hash === writtenHash) return;
      stateFromFragment(location.hash);
      renderAll();
    });
    let resizeTimer = 0;
    window.addEventListener('resize', () => {
      clearTimeout(resizeTimer);
      resizeTimer = setTimeout(renderView, 150);
    });
    document.documentElement.setAttribute('data-ready', String(Math.round(performance.now())));
  }

  return { start };
})();

App.start();
