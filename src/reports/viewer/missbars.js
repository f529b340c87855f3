// Miss time per leg: for each leg, one bar per chosen runner as long as the time lost on it,
// beside the leg's label and difficulty (the mean leg of the course is 100).
const MissBars = (() => {
  const { h, s } = Dom;
  const BAR = 10;
  const GAP = 2;
  const ROW_PAD = 8;

  function missText(runner, l) {
    if (!Measures.counted(runner.state, runner.lapRank, l)) return 'n/a';
    return Fmt.time(runner.miss[l]);
  }

  function draw(model, chosen, width) {
    const labelW = width < 500 ? 92 : 120;
    const valueW = 44;
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
        s('text', { x: 4, y: middle + 8, class: 'difficulty' }, '難易度 ' + Fmt.difficulty(model.difficulty[l])),
        s('rect', { x: 4, y: middle + 11, width: Math.max(1, (model.difficulty[l] / hardest) * (labelW - 16)), height: 4, fill: '#d9825b' }));
      const barsTop = top + (rowH - chosen.length * (BAR + GAP) + GAP) / 2;
      chosen.forEach(({ runner, colour }, i) => {
        const y = barsTop + i * (BAR + GAP);
        const miss = runner.miss[l];
        const length = miss > 0 ? Math.max(1, miss * scale) : 0;
        const text = missText(runner, l);
        svg.append(s('rect', { class: 'miss-bar', 'data-key': runner.key, x: labelW, y, width: length, height: BAR, fill: colour },
          s('title', null, runner.name + ' ' + model.labels[l] + ' ' + text)),
          s('text', { x: labelW + length + 3, y: y + BAR - 1 }, text));
      });
    }
    return svg;
  }

  function render(model, state, chosen, width) {
    const panel = h('div', { class: 'panel' }, h('h2', null, 'ミスタイム'),
      h('p', { class: 'hint' }, '巡航速度で走った場合との差 (レッグごと)。難易度はコース平均を100とした値'));
    if (chosen.length === 0) return Dom.append(panel, [h('p', { class: 'empty' }, '比べる選手を選んでください')]);
    const legend = h('ul', { class: 'legend' }, chosen.map(({ runner, colour }) => {
      const swatch = h('span', { class: 'swatch' });
      swatch.style.background = colour;
      return h('li', null, swatch, runner.name);
    }));
    return Dom.append(panel, [legend, draw(model, chosen, width)]);
  }

  return { render };
})();
