// Runner cards: the whole-course measures of each chosen runner and its best and worst legs
// by ratio to the top average.
const RunnerCards = (() => {
  const { h } = Dom;
  const LEGS_SHOWN = 3;

  function countedLegs(runner) {
    const legs = [];
    runner.ratio.forEach((ratio, l) => {
      if (ratio > 0) legs.push(l);
    });
    return legs;
  }

  function legItem(model, runner, l, withMiss) {
    const ratio = Fmt.percent(runner.ratio[l]);
    const miss = withMiss && runner.miss[l] > 0 ? ' ミス ' + Fmt.signedTime(runner.miss[l]) : '';
    return h('li', null, model.labels[l] + ' ' + Fmt.time(runner.lap[l]) + ' (' + ratio + '%)' + miss);
  }

  function card(model, runner, colour) {
    const legs = countedLegs(runner).sort((a, b) => runner.ratio[a] - runner.ratio[b] || a - b);
    const best = legs.slice(0, LEGS_SHOWN);
    const worst = legs.slice().reverse().slice(0, LEGS_SHOWN);
    const valid = runner.total > 0;
    const item = (term, value) => [h('dt', null, term), h('dd', null, value)];
    const percent = (ratio) => (ratio > 0 ? Fmt.percent(ratio) + '%' : '-');
    const node = h('article', { class: 'card', 'data-key': runner.key },
      h('h3', null, runner.name),
      runner.club.trim() !== '' ? h('div', { class: 'club' }, runner.club) : null,
      h('dl', null,
        item('記録', valid ? Fmt.time(runner.total) : '--:--'),
        item('順位', valid ? runner.rank + '位 / ' + model.runners.length + '人' : '-'),
        item('相対値', percent(runner.relative)),
        item('巡航速度', percent(runner.cruiseSpeed)),
        item('ミス率', runner.cruiseSpeed > 0 ? Fmt.share(runner.missRate) + '%' : '-'),
        item('ミスタイム', Fmt.time(runner.missTotal)),
        item('ミスなしタイム', valid ? Fmt.time(runner.noMiss) : '-')),
      h('h4', null, 'ベストレッグ'),
      best.length ? h('ol', { class: 'best' }, best.map((l) => legItem(model, runner, l, false))) : h('p', null, '-'),
      h('h4', null, 'ワーストレッグ'),
      worst.length ? h('ol', { class: 'worst' }, worst.map((l) => legItem(model, runner, l, true))) : h('p', null, '-'));
    node.style.borderTopColor = colour;
    return node;
  }

  function render(model, state, chosen) {
    if (chosen.length === 0) return h('div', { class: 'panel' }, h('p', { class: 'empty' }, '比べる選手を選んでください'));
    return h('div', { class: 'cards' }, chosen.map(({ runner, colour }) => card(model, runner, colour)));
  }

  return { render };
})();
