// The page: race header, class and view choice, runner choice, and the views of the class.
// The state lives in the address's fragment: choosing a class or a view adds a history entry
// (Back returns to the previous one), every other change rewrites the current one.
const App = (() => {
  const { h, clear } = Dom;
  const DEFAULT_RUNNERS = 5;

  let race = null;
  let relays = null;
  const models = [];
  const combinedModels = new Map();
  const tables = new Map();
  const pickers = new Map();
  let state = null;  // {index, with: [class index], runners: [key], view, ref, mode, sort, threshold}
  let filterText = '';
  let writtenHash = null;
  const ui = {};
  let shownTable = null;
  let shownPicker = null;

  // --- models ---------------------------------------------------------------------------------

  function modelOf(index) {
    if (!models[index]) models[index] = Race.classModel(race.classes[index], index);
    return models[index];
  }

  function modelKey() {
    return [state.index, ...state.with].join(',');
  }

  // The class shown, with the classes of its course compared with it.
  function model() {
    if (state.with.length === 0) return modelOf(state.index);
    const key = modelKey();
    if (!combinedModels.has(key)) combinedModels.set(key, Courses.combined([state.index, ...state.with].map(modelOf)));
    return combinedModels.get(key);
  }

  function classMark() {
    return state.with.length ? (runner) => runner.classTitle : null;
  }

  function topRunners(m) {
    return Race.resultOrder(m).slice(0, DEFAULT_RUNNERS).map((r) => r.key);
  }

  function colours() {
    return new Map(state.runners.map((key, i) => [key, Chart.look(i).colour]));
  }

  function chosen() {
    const m = model();
    return state.runners.map((key, i) => Object.assign({ runner: m.byKey.get(key) }, Chart.look(i)));
  }

  function relayOfState() {
    return relays.of(state.index);
  }

  // --- the fragment ---------------------------------------------------------------------------

  function findClass(name) {
    if (name === null) return 0;
    let i = race.classes.findIndex((c) => c.AnaClassName === name);
    if (i < 0) i = race.classes.findIndex((c) => c.AnaClassName.toLowerCase() === name.toLowerCase());
    return i;
  }

  function stateFromFragment(hash) {
    const parsed = State.parse(hash);
    const index = findClass(parsed.cls);
    state = { index: index < 0 ? 0 : index, view: parsed.view, mode: parsed.mode, sort: parsed.sort, threshold: parsed.threshold };
    const partners = Courses.partners(race, state.index, relays);
    state.with = parsed.with.map(findClass).filter((i, n, all) => partners.includes(i) && all.indexOf(i) === n);
    if (state.view === 'team' && !relayOfState()) state.view = 'table';
    const m = model();
    state.runners = parsed.runners === null ? topRunners(m) : [...new Set(parsed.runners.filter((k) => m.byKey.has(k)))];
    state.ref = Graphs.isReference(m, parsed.ref) ? parsed.ref : Graphs.defaultReference(m);
    const { key } = SplitTable.parseSort(state.sort);
    const leg = Number(key);
    if (!['total', 'name', 'club'].includes(key) && !(Number.isInteger(leg) && leg >= 1 && leg <= m.legs)) state.sort = 'total';
  }

  // Writes the state into the address: as a new history entry when push is true.
  function writeFragment(push) {
    const hash = State.serialize(Object.assign({}, state, {
      cls: race.classes[state.index].AnaClassName,
      with: state.with.map((i) => race.classes[i].AnaClassName),
    }));
    ui.link.setAttribute('href', hash);
    if (location.hash === hash) return;
    writtenHash = hash;
    try {
      if (push) history.pushState(null, '', hash);
      else history.replaceState(null, '', hash);
    } catch (e) {
      location.hash = hash;
    }
  }

  // --- rendering ----------------------------------------------------------------------------

  function renderClassChoice() {
    const relay = relayOfState();
    ui.classSelect.value = String(relay ? relay.relay.legs[0][0] : state.index);
    ui.legLabel.hidden = !relay;
    if (relay) {
      clear(ui.legSelect).append(...relay.relay.legs.flatMap((indices, k) => indices.map((i, v) =>
        h('option', { value: i, selected: i === state.index }, '第' + (k + 1) + '走' + (relay.relay.variants[k][v] ? ' ' + relay.relay.variants[k][v] : '')))));
    }
    const partners = Courses.partners(race, state.index, relays);
    Dom.append(clear(ui.courseSlot), partners.length === 0 ? [] : ['同じコース: ', partners.map((i) => {
      const box = h('input', { type: 'checkbox', checked: state.with.includes(i), onchange: () => chooseCourse(i, box.checked) });
      return h('label', null, box, Race.title(race.classes[i]));
    })]);
    for (const button of ui.tabs) button.hidden = button.dataset.view === 'team' && !relay;
  }

  function renderClass() {
    const m = model();
    renderClassChoice();
    const info = [];
    if (m.length > 0) info.push(m.length + 'm' + (m.climb > 0 ? ' ↑' + m.climb + 'm' : ''));
    info.push(m.runners.length + '人');
    ui.classInfo.textContent = info.join('  ');
    clear(ui.clubSelect).append(h('option', { value: '' }, '所属でまとめて選ぶ…'),
      ...m.clubs.map((club) => h('option', { value: club }, club)));
    renderTable();
  }

  // The table of the model and mode, made once and kept; shown in the order of the sort.
  function renderTable() {
    const m = model();
    const key = modelKey() + '/' + state.mode;
    if (!tables.has(key)) {
      const table = SplitTable.build(m, state.mode, chooseSort, toggleRunner, classMark());
      table.threshold = null;
      tables.set(key, table);
    }
    const table = tables.get(key);
    table.sort(state.sort);
    if (table.threshold !== state.threshold) {
      table.mark(state.threshold);
      table.threshold = state.threshold;
    }
    table.update(colours());
    table.filter(filterText);
    if (shownTable !== table) {
      shownTable = table;
      clear(ui.tableTools).append(h('div', { class: 'mode', role: 'group', 'aria-label': 'タイム' }, Controls.modeButtons(state.mode, chooseMode)),
        h('span', { class: 'hint' }, '見出しを押すとその列の順に並べ替えます (もう一度押すと逆順)'));
      clear(ui.tableSlot).append(h('h2', { class: 'print-only' }, m.title + '  ' + ui.classInfo.textContent), table.node,
        Help.tableLegend(state.threshold), Help.glossary(['相対値', '巡航速度', 'ミス率', 'ミスタイム']));
      table.refresh();
    } else {
      ui.tableSlot.querySelector('.legend-table').replaceWith(Help.tableLegend(state.threshold));
    }
  }

  function panelWidth() {
    const width = ui.viewSlot.clientWidth - 18;
    return width > 200 ? width : 800;
  }

  function renderPicker() {
    const key = modelKey();
    if (!pickers.has(key)) pickers.set(key, Picker.list(model(), toggleRunner, classMark()));
    const picker = pickers.get(key);
    if (shownPicker !== picker) {
      shownPicker = picker;
      clear(ui.pickerSlot).append(picker.node);
    }
    picker.update(colours());
    picker.filter(filterText);
  }

  function renderView() {
    for (const button of ui.tabs) button.setAttribute('aria-pressed', String(button.dataset.view === state.view));
    ui.tableView.hidden = state.view !== 'table';
    ui.otherView.hidden = state.view === 'table';
    if (state.view === 'table') {
      shownTable.refresh();
      return;
    }
    const m = model();
    const relay = relayOfState();
    ui.pickerSlot.hidden = state.view === 'team';
    ui.otherView.classList.toggle('no-picker', state.view === 'team');
    if (state.view !== 'team') renderPicker();
    let node;
    if (state.view === 'team') {
      node = TeamView.render(relay.relay, Relays.teams(relay.relay, modelOf), (k) => '第' + (k + 1) + '走');
    } else if (state.view === 'miss') {
      node = MissBars.render(m, state, chosen(), panelWidth());
    } else if (state.view === 'card') {
      node = RunnerCards.render(m, state, chosen(), classMark());
    } else {
      node = Graphs.render(state.view, m, state, chosen(), panelWidth(), { onReference: chooseReference, onMode: chooseMode });
    }
    clear(ui.viewSlot).append(node);
  }

  function renderSelection() {
    const map = colours();
    shownTable.update(map);
    if (shownPicker && state.view !== 'table') shownPicker.update(map);
    ui.count.textContent = state.runners.length + '人を選択中';
    renderView();
  }

  function applyFilter() {
    shownTable.filter(filterText);
    if (shownPicker) shownPicker.filter(filterText);
  }

  // Everything shown again from the state; push: the address as a new history entry.
  function renderAll(push) {
    ui.threshold_seconds.value = state.threshold.seconds;
    ui.threshold_percent.value = state.threshold.percent;
    renderClass();
    renderSelection();
    writeFragment(push);
  }

  // --- choices --------------------------------------------------------------------------------

  function chooseClass(index, keepView) {
    state.index = index;
    state.with = [];
    const m = model();
    state.runners = topRunners(m);
    state.ref = Graphs.defaultReference(m);
    state.sort = 'total';
    if (!keepView && state.view === 'team') state.view = 'table';
    if (state.view === 'team' && !relayOfState()) state.view = 'table';
    renderAll(true);
  }

  function chooseCourse(index, on) {
    const keys = new Set(state.runners);
    state.with = on ? [...state.with, index] : state.with.filter((i) => i !== index);
    const m = model();
    // Runners of the first class keep their names; the others are chosen afresh.
    state.runners = m.runners.filter((r) => keys.has(r.key)).map((r) => r.key);
    if (state.runners.length === 0) state.runners = topRunners(m);
    if (!Graphs.isReference(m, state.ref)) state.ref = Graphs.defaultReference(m);
    renderAll(true);
  }

  function chooseView(view) {
    if (view === state.view) return;
    state.view = view;
    if (view !== 'table') renderSelection();
    else renderView();
    writeFragment(true);
  }

  function chooseMode(mode) {
    state.mode = mode;
    if (state.view === 'table') renderTable();
    else renderView();
    writeFragment(false);
  }

  // A heading chosen again turns its order round.
  function chooseSort(key) {
    const current = SplitTable.parseSort(state.sort);
    state.sort = current.key === key && !current.down ? '-' + key : key;
    renderTable();
    writeFragment(false);
  }

  function chooseReference(ref) {
    state.ref = ref;
    renderView();
    writeFragment(false);
  }

  function chooseThreshold(threshold) {
    state.threshold = threshold;
    renderTable();
    renderView();
    writeFragment(false);
  }

  function chooseRunners(keys) {
    state.runners = keys;
    if (state.ref.startsWith('r:') && !keys.includes(state.ref.slice(2))) state.ref = Graphs.defaultReference(model());
    renderSelection();
    writeFragment(false);
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

  // --- printing -------------------------------------------------------------------------------

  function printShown() {
    if (state.view !== 'table') chooseView('table');
    Printing.printShown();
  }

  // Printing (from the page's buttons or the browser's menu) needs every row of the table.
  function printEveryRow(on) {
    if (shownTable) shownTable.showAll(on);
  }

  function printAll() {
    Printing.printAll(race.classes.map((c, i) => modelOf(i)), state.threshold);
  }

  // --- start ------------------------------------------------------------------------------------

  function showFragment() {
    if (location.hash === writtenHash) return;
    stateFromFragment(location.hash);
    renderAll(false);
  }

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
    root.append(Controls.raceHeader(race));
    if (race.classes.length === 0) {
      root.append(h('p', { class: 'message' }, 'クラスがありません'));
      return;
    }
    relays = Relays.find(race);
    ui.tableTools = h('div', { class: 'table-tools' });
    ui.tableSlot = h('div');
    ui.pickerSlot = h('div');
    ui.viewSlot = h('div', { class: 'view-slot' });
    ui.tableView = h('section', { class: 'view view-table' }, ui.tableTools, ui.tableSlot);
    ui.otherView = h('section', { class: 'view view-other' }, h('div', { class: 'compare' }, ui.pickerSlot, ui.viewSlot));
    root.append(Controls.bar(race, relays, ui, { chooseClass, chooseView, printShown, printAll }),
      Controls.chooser(ui, {
        search: (text) => {
          filterText = Race.searchText(text);
          applyFilter();
        },
        chooseClub, chooseRunners, chooseThreshold,
        chooseTop: () => chooseRunners(topRunners(model())),
        threshold: () => state.threshold,
      }, DEFAULT_RUNNERS),
      h('main', null, ui.tableView, ui.otherView));
    stateFromFragment(location.hash);
    renderAll(false);
    window.addEventListener('popstate', () => {
      writtenHash = null;
      showFragment();
    });
    window.addEventListener('hashchange', showFragment);
    window.addEventListener('beforeprint', () => printEveryRow(true));
    window.addEventListener('afterprint', () => printEveryRow(false));
    // Drawn again only when the width changed: a phone's address bar coming and going changes
    // the height alone, and must not reset what the reader chose on the graph.
    let resizeTimer = 0;
    let drawnWidth = window.innerWidth;
    window.addEventListener('resize', () => {
      clearTimeout(resizeTimer);
      resizeTimer = setTimeout(() => {
        if (window.innerWidth === drawnWidth) return;
        drawnWidth = window.innerWidth;
        renderView();
      }, 150);
    });
    // The mark of the first class painted: the frame after this one.
    requestAnimationFrame(() => setTimeout(() => document.documentElement.setAttribute('data-ready', String(Math.round(performance.now()))), 0));
  }

  return { start };
})();

App.start();
