// The page: race header, class and view choice, runner choice, and the views of the class.
// The state lives in the address's fragment: choosing a class or a view adds a history entry
// (Back returns to the previous one), every other change rewrites the current one.
const App = (() => {
  const { h, clear } = Dom;
  const VIEWS = [['table', '成績表'], ['graph', 'レースグラフ'], ['clock', '時刻'], ['position', '順位'],
    ['percent', 'レッグ比較'], ['miss', 'ミスタイム'], ['card', '選手カード'], ['team', 'チーム']];
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

  async function copyLink(event) {
    event.preventDefault();
    const address = location.href;
    let copied = false;
    try {
      await navigator.clipboard.writeText(address);
      copied = true;
    } catch (e) {
      const box = h('textarea', { class: 'copy-box', readonly: true });
      box.value = address;
      document.body.append(box);
      box.select();
      try {
        copied = document.execCommand('copy');
      } catch (e2) {
        copied = false;
      }
      box.remove();
    }
    ui.linkStatus.textContent = copied ? 'リンクをコピーしました' : 'コピーできませんでした。アドレス欄からコピーしてください';
  }

  // --- building the fixed parts -------------------------------------------------------------

  function raceHeader() {
    const sub = [race.RaceDate ? Fmt.date(race.RaceDate) : '', race.RacePlace, race.RaceRemarks]
      .filter((t) => t && t.trim() !== '').map((t) => h('span', null, t));
    return h('header', { class: 'race-header' }, h('h1', null, race.RaceName || '分析ビューア'),
      sub.length ? h('div', { class: 'race-sub' }, sub) : null);
  }

  // One entry per class, one per relay (its first leg).
  function classOptions() {
    const options = [];
    race.classes.forEach((c, i) => {
      const relay = relays.of(i);
      if (relay && relay.relay.legs[0][0] !== i) return;
      const caption = relay ? relay.relay.base + ' (リレー ' + relay.relay.legs.length + '走)' : Race.title(c) + ' (' + c.AnaRunnerCount + '人)';
      options.push(h('option', { value: i }, caption));
    });
    return options;
  }

  function controls() {
    ui.classSelect = h('select', { id: 'class-select', onchange: () => chooseClass(Number(ui.classSelect.value)) }, classOptions());
    ui.legSelect = h('select', { class: 'leg-select', 'aria-label': '走順', onchange: () => chooseClass(Number(ui.legSelect.value), true) });
    ui.legLabel = h('label', { class: 'leg-choice' }, '走順 ', ui.legSelect);
    ui.classInfo = h('span', { class: 'class-info' });
    ui.courseSlot = h('div', { class: 'course-choice' });
    ui.tabs = VIEWS.map(([view, caption]) => h('button', { type: 'button', 'data-view': view, onclick: () => chooseView(view) }, caption));
    ui.link = h('a', { class: 'permalink', href: '#', onclick: copyLink }, 'この表示へのリンク');
    ui.linkStatus = h('span', { class: 'link-status', role: 'status' });
    const print = h('span', { class: 'print-buttons' },
      h('button', { type: 'button', class: 'print-shown', onclick: printShown }, '印刷'),
      h('button', { type: 'button', class: 'print-every', onclick: printAll }, '全クラスを印刷'));
    return h('div', { class: 'controls' }, h('label', null, 'クラス ', ui.classSelect), ui.legLabel, ui.classInfo, ui.courseSlot,
      h('div', { class: 'tabs', role: 'group', 'aria-label': '表示' }, ui.tabs),
      h('span', { class: 'link-box' }, ui.link, ui.linkStatus), print);
  }

  function thresholdInput(key, caption, unit) {
    const input = h('input', { type: 'number', min: 0, step: 1, class: 'threshold-' + key, 'aria-label': caption, onchange: () => {
      const value = Number(input.value);
      if (input.value === '' || !(value >= 0)) {
        input.value = state.threshold[key];
        return;
      }
      chooseThreshold(Object.assign({}, state.threshold, { [key]: value }));
    } });
    ui['threshold_' + key] = input;
    return h('label', null, input, unit);
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
      h('button', { type: 'button', onclick: () => chooseRunners([]) }, '選択解除'), ui.count,
      h('span', { class: 'threshold', role: 'group', 'aria-label': 'ミスの基準' }, 'ミスの基準: ',
        thresholdInput('seconds', 'ミスとみなす秒数', '秒以上かつ'), thresholdInput('percent', 'ミスとみなす割合', '%以上のロス')));
  }

  function modeButtons() {
    return [['lap', 'ラップ'], ['sum', '積算']].map(([mode, caption]) =>
      h('button', { type: 'button', 'aria-pressed': String(state.mode === mode), onclick: () => chooseMode(mode) }, caption));
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
      clear(ui.tableTools).append(h('div', { class: 'mode', role: 'group', 'aria-label': 'タイム' }, modeButtons()),
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
    const list = [];
    race.classes.forEach((raw, i) => {
      const m = modelOf(i);
      const table = SplitTable.build(m, 'lap', () => {}, () => {}, null);
      table.sort('total');
      table.mark(state.threshold);
      table.showAll(true);
      list.push({ title: m.title + '  ' + m.runners.length + '人', node: table.node });
    });
    Printing.printAll(list);
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
    root.append(raceHeader());
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
    root.append(controls(), chooser(), h('main', null, ui.tableView, ui.otherView));
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
