// Miss time per leg: for each leg, one bar per chosen runner as long as the time lost on it,
// beside the leg's label and difficulty (the mean leg of the course is 100). A mistake (a loss
// past the threshold) is a full bar with its mark; a smaller loss a thin grey bar; a leg run
// faster than the cruise pace has no bar at all, only its time. Above the legs, each runner's
// time lost to mistakes and the time it would have run without them.
const MissBars = (() => {
  const { h, s } = Dom;
  const BAR = 10;
  const GAP = 2;
  const ROW_PAD = 8;

  function missText(runner, l, mistake) {
    if (!Measures.counted(runner.state, runner.lapRank, l)) return runner.state[l] === -1 ? '→' : 'n/a';
    return (mistake ? SplitTable.MARK : '') + Fmt.signedTime(runner.miss[l]);
  }

  function legLabel(model, runner, l) {
    return runner.state[l] > 0 ? Race.spanLabel(model, runner.state[l] - 1, l) : model.labels[l];
  }

  function draw(model, chosen, width, threshold) {
    const labelW = width < 500 ? 92 : 120;
    const valueW = 52;
    // Room for the two label lines and the difficulty bar under them.
    const rowH = Math.max(38, chosen.length * (BAR + GAP) + ROW_PAD);
    const height = model.legs * rowH + 4;
    const most = Math.max(30, ...chosen.flatMap(({ runner }) => runner.miss));
    const hardest = Math.max(1, ...model.difficulty);
    const scale = (width - labelW - valueW) / most;
    const svg = s('svg', { class: 'miss-bars', viewBox: '0 0 ' + width + ' ' + height, width, height, role: 'img', 'aria-label': 'ミスタイム' });
    for (let l = 0; l < model.legs; l++) {
      const top = l * rowH + 2;
      if (l % 2 === 0) svg.append(s('rect', { class: 'band', x: 0, y: top, width, height: rowH }));
      const middle = top + rowH / 2;
      svg.append(s('text', { x: 4, y: middle - 5 }, model.labels[l]),
        s('text', { x: 4, y: middle + 8, class: 'difficulty' }, '難易度 ' + model.difficulty[l]),
        s('rect', { x: 4, y: middle + 11, width: Math.max(1, (model.difficulty[l] / hardest) * (labelW - 16)), height: 4, fill: '#d9825b' }));
      const barsTop = top + (rowH - chosen.length * (BAR + GAP) + GAP) / 2;
      chosen.forEach(({ runner, colour }, i) => {
        const y = barsTop + i * (BAR + GAP);
        const miss = runner.miss[l];
        const mistake = Measures.isMistake(runner, l, threshold);
        // A loss is drawn; a gain never is.
        const length = miss > 0 && Measures.counted(runner.state, runner.lapRank, l) ? Math.max(1, miss * scale) : 0;
        const text = missText(runner, l, mistake);
        const title = runner.name + ' ' + legLabel(model, runner, l) + ' ' + text;
        svg.append(s('rect', { class: mistake ? 'miss-bar mistake' : 'miss-bar', 'data-key': runner.key, x: labelW,
          y: mistake ? y : y + BAR / 2 - 1.5, width: length, height: mistake ? BAR : 3, fill: mistake ? colour : '#b0b4bd' },
        s('title', null, title)),
        s('text', { x: labelW + length + 3, y: y + BAR - 1, class: mistake ? 'mistake' : 'small' }, text));
      });
    }
    return svg;
  }

  function summary(chosen, threshold) {
    return h('table', { class: 'miss-summary' },
      h('thead', null, h('tr', null, h('th', null, '選手'), h('th', null, 'ミス'), h('th', null, 'ミスで失った時間'),
        h('th', null, 'ミスがなければ'))),
      h('tbody', null, chosen.map(({ runner, colour, dash }) => {
        const { legs, lost } = Measures.mistakes(runner, threshold);
        return h('tr', { 'data-key': runner.key }, h('th', { scope: 'row' }, Chart.sample(colour, dash), runner.name),
          h('td', null, legs.length + '回'), h('td', null, Fmt.time(lost)),
          h('td', null, runner.ranked ? Fmt.time(runner.total - lost) : '-'));
      })));
  }

  function render(model, state, chosen, width) {
    const panel = h('div', { class: 'panel' }, h('h2', null, 'ミスタイム'),
      h('p', { class: 'hint' }, Help.line('ミスタイム'), ' ', SplitTable.MARK + ' はミス (' + Help.thresholdText(state.threshold) + ')。難易度はコース平均を100とした値'));
    if (chosen.length === 0) return Dom.append(panel, [h('p', { class: 'empty' }, '比べる選手を選んでください')]);
    return Dom.append(panel, [summary(chosen, state.threshold), draw(model, chosen, width, state.threshold)]);
  }

  return { render };
})();
