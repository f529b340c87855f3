// The fixed parts of the page, built once: the race header; the bar of class, leg and course
// choice, view tabs, link to what is shown and print buttons; the runner chooser with the miss
// threshold. Their elements go into ui for the page to fill and read; what a person does with
// them goes to the actions the page gives (on).
const Controls = (() => {
  const { h } = Dom;
  const VIEWS = [['table', '成績表'], ['graph', 'レースグラフ'], ['clock', '時刻'], ['position', '順位'],
    ['percent', 'レッグ比較'], ['miss', 'ミスタイム'], ['card', '選手カード'], ['team', 'チーム']];

  function raceHeader(race) {
    const sub = [race.RaceDate ? Fmt.date(race.RaceDate) : '', race.RacePlace, race.RaceRemarks]
      .filter((t) => t && t.trim() !== '').map((t) => h('span', null, t));
    return h('header', { class: 'race-header' }, h('h1', null, race.RaceName || '分析ビューア'),
      sub.length ? h('div', { class: 'race-sub' }, sub) : null);
  }

  // One entry per class, one per relay (its first leg).
  function classOptions(race, relays) {
    const options = [];
    race.classes.forEach((c, i) => {
      const relay = relays.of(i);
      if (relay && relay.relay.legs[0][0] !== i) return;
      const caption = relay ? relay.relay.base + ' (リレー ' + relay.relay.legs.length + '走)' : Race.title(c) + ' (' + c.AnaRunnerCount + '人)';
      options.push(h('option', { value: i }, caption));
    });
    return options;
  }

  async function copyLink(ui, event) {
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

  // on: chooseClass(index, keepView), chooseView(view), printShown(), printAll().
  function bar(race, relays, ui, on) {
    ui.classSelect = h('select', { id: 'class-select', onchange: () => on.chooseClass(Number(ui.classSelect.value)) }, classOptions(race, relays));
    ui.legSelect = h('select', { class: 'leg-select', 'aria-label': '走順', onchange: () => on.chooseClass(Number(ui.legSelect.value), true) });
    ui.legLabel = h('label', { class: 'leg-choice' }, '走順 ', ui.legSelect);
    ui.classInfo = h('span', { class: 'class-info' });
    ui.courseSlot = h('div', { class: 'course-choice' });
    ui.tabs = VIEWS.map(([view, caption]) => h('button', { type: 'button', 'data-view': view, onclick: () => on.chooseView(view) }, caption));
    ui.link = h('a', { class: 'permalink', href: '#', onclick: (event) => copyLink(ui, event) }, 'この表示へのリンク');
    ui.linkStatus = h('span', { class: 'link-status', role: 'status' });
    const print = h('span', { class: 'print-buttons' },
      h('button', { type: 'button', class: 'print-shown', onclick: on.printShown }, '印刷'),
      h('button', { type: 'button', class: 'print-every', onclick: on.printAll }, '全クラスを印刷'));
    return h('div', { class: 'controls' }, h('label', null, 'クラス ', ui.classSelect), ui.legLabel, ui.classInfo, ui.courseSlot,
      h('div', { class: 'tabs', role: 'group', 'aria-label': '表示' }, ui.tabs),
      h('span', { class: 'link-box' }, ui.link, ui.linkStatus), print);
  }

  // A number field of the miss threshold: a value that is no number of 0 or more puts the one
  // in force back.
  function thresholdInput(ui, on, key, caption, unit) {
    const input = h('input', { type: 'number', min: 0, step: 1, class: 'threshold-' + key, 'aria-label': caption, onchange: () => {
      const value = Number(input.value);
      const threshold = on.threshold();
      if (input.value === '' || !(value >= 0)) {
        input.value = threshold[key];
        return;
      }
      on.chooseThreshold(Object.assign({}, threshold, { [key]: value }));
    } });
    ui['threshold_' + key] = input;
    return h('label', null, input, unit);
  }

  // on: search(text), chooseClub(club), chooseTop(), chooseRunners(keys), threshold(),
  // chooseThreshold(threshold).
  function chooser(ui, on, topCount) {
    ui.search = h('input', { type: 'search', placeholder: '名前・所属で検索', 'aria-label': '選手を検索', oninput: () => on.search(ui.search.value) });
    ui.clubSelect = h('select', { 'aria-label': '所属でまとめて選ぶ', onchange: () => on.chooseClub(ui.clubSelect.value) });
    ui.count = h('span', { class: 'count' });
    return h('div', { class: 'choose' }, ui.search, ui.clubSelect,
      h('button', { type: 'button', onclick: on.chooseTop }, '上位' + topCount + '人'),
      h('button', { type: 'button', onclick: () => on.chooseRunners([]) }, '選択解除'), ui.count,
      h('span', { class: 'threshold', role: 'group', 'aria-label': 'ミスの基準' }, 'ミスの基準: ',
        thresholdInput(ui, on, 'seconds', 'ミスとみなす秒数', '秒以上かつ'), thresholdInput(ui, on, 'percent', 'ミスとみなす割合', '%以上のロス')));
  }

  // The buttons of the table's times, the one of the mode shown pressed.
  function modeButtons(mode, chooseMode) {
    return [['lap', 'ラップ'], ['sum', '積算']].map(([m, caption]) =>
      h('button', { type: 'button', 'aria-pressed': String(mode === m), onclick: () => chooseMode(m) }, caption));
  }

  return { raceHeader, bar, chooser, modeButtons };
})();
