// Runner cards: the whole-course measures of each chosen runner, the time its mistakes lost,
// its best legs (the lowest ratio to the top average) and its worst legs (the most time lost,
// never a short leg only because its ratio is high). A merged leg is named by the whole
// stretch it covers.
const RunnerCards = (() => {
  const { h } = Dom;
  const LEGS_SHOWN = 3;

  function countedLegs(runner) {
    const legs = [];
    for (let l = 0; l < runner.lap.length; l++) if (Measures.counted(runner.state, runner.lapRank, l)) legs.push(l);
    return legs;
  }

  function legItem(model, runner, l, threshold) {
    const label = runner.state[l] > 0 ? Race.spanLabel(model, runner.state[l] - 1, l) : model.labels[l];
    const ratio = Fmt.percent(runner.ratio[l]);
    const mark = Measures.isMistake(runner, l, threshold) ? SplitTable.MARK : '';
    return h('li', null, label + ' ' + Fmt.time(runner.lap[l]) + (ratio ? ' (' + ratio + '%)' : '') + ' ' + mark + 'ミス ' + Fmt.signedTime(runner.miss[l]));
  }

  function card(model, runner, look, threshold, classMark) {
    const legs = countedLegs(runner);
    const worst = legs.filter((l) => runner.miss[l] >= 0.5).sort((a, b) => runner.miss[b] - runner.miss[a] || a - b).slice(0, LEGS_SHOWN);
    const best = legs.slice().sort((a, b) => runner.ratio[a] - runner.ratio[b] || a - b).slice(0, LEGS_SHOWN);
    const { legs: mistakes, lost } = Measures.mistakes(runner, threshold);
    const item = (term, value) => [h('dt', null, term), h('dd', null, value)];
    const percent = (whole) => (whole > 0 ? whole + '%' : '-');
    const measured = runner.cruiseSpeed > 0;
    const node = h('article', { class: 'card', 'data-key': runner.key },
      h('h3', null, Chart.sample(look.colour, look.dash), runner.name, classMark ? h('span', { class: 'cls' }, classMark) : null),
      runner.club.trim() !== '' ? h('div', { class: 'club' }, runner.club) : null,
      h('dl', null,
        item('記録', SplitTable.totalText(runner)),
        item('順位', runner.ranked ? runner.rank + '位 / ' + model.runners.length + '人' : '-'),
        item('相対値', percent(runner.relative)),
        item('巡航速度', measured ? percent(Number(Fmt.percent(runner.cruiseSpeed))) : '-'),
        item('ミス率', measured ? Fmt.tenths(runner.missRate) + '%' : '-'),
        item('ミスタイム', Fmt.time(runner.missTotal)),
        item('ミスなしタイム', runner.ranked ? Fmt.time(runner.noMiss) : '-'),
        item('基準以上のミス', mistakes.length + '回 ' + Fmt.time(lost)),
        item('ミスがなければ', runner.ranked ? Fmt.time(runner.total - lost) : '-')),
      h('p', { class: 'hint' }, 'ミスの基準: ' + Help.thresholdText(threshold)),
      h('h4', null, 'ベストレッグ (上位平均との比)'),
      best.length ? h('ol', { class: 'best' }, best.map((l) => legItem(model, runner, l, threshold))) : h('p', null, '-'),
      h('h4', null, 'ワーストレッグ (失った時間)'),
      worst.length ? h('ol', { class: 'worst' }, worst.map((l) => legItem(model, runner, l, threshold))) : h('p', null, '-'));
    node.style.borderTopColor = look.colour;
    return node;
  }

  function render(model, state, chosen, classMark) {
    if (chosen.length === 0) return h('div', { class: 'panel' }, h('p', { class: 'empty' }, '比べる選手を選んでください'));
    return h('div', null,
      h('div', { class: 'cards' }, chosen.map(({ runner, colour, dash }) =>
        card(model, runner, { colour, dash }, state.threshold, classMark && classMark(runner)))),
      Help.glossary(['相対値', '巡航速度', 'ミス率', 'ミスタイム']));
  }

  return { render };
})();
