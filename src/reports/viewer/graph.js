// The race graph: for each chosen runner the time behind a reference at every control, the
// controls placed along the course by the top averages of the legs. One line per runner; a
// line ends where the runner's elapsed time is no longer known.
const RaceGraph = (() => {
  const { h, s } = Dom;

  function cumulative(values) {
    const sums = [0];
    for (const v of values) sums.push(sums[sums.length - 1] + v);
    return sums;
  }

  // The elapsed times at the start and each control; undefined where there is none.
  function runnerTimes(model, runner) {
    const times = [0];
    for (let l = 0; l < model.legs; l++) {
      const known = runner.sumState[l] >= -1 && runner.state[l] !== -2;
      times.push(known ? runner.sum[l] : undefined);
    }
    return times;
  }

  // The fastest ranked time of each leg (the top average where no time is ranked).
  function fastestLegs(model) {
    return model.top.map((top, l) => {
      let best = Infinity;
      for (const r of model.runners) if (r.lapRank[l] === 1 && r.lap[l] < best) best = r.lap[l];
      return best === Infinity ? top : best;
    });
  }

  function defaultReference(model) {
    return Race.winner(model) ? 'winner' : 'top3';
  }

  // The references a graph can be drawn against: [value, caption].
  function references(model, chosenKeys, current) {
    const list = [];
    const winner = Race.winner(model);
    if (winner) list.push(['winner', '優勝者 (' + winner.name + ')']);
    list.push(['fastest', '各レッグの最速']);
    list.push(['top3', '上位3人の平均']);
    const keys = chosenKeys.slice();
    if (current && current.startsWith('r:') && !keys.includes(current.slice(2))) keys.push(current.slice(2));
    for (const key of keys) {
      const runner = model.byKey.get(key);
      if (runner) list.push(['r:' + key, runner.name]);
    }
    return list;
  }

  function isReference(model, ref) {
    if (ref === 'winner') return Race.winner(model) !== null;
    if (ref === 'fastest' || ref === 'top3') return true;
    return typeof ref === 'string' && ref.startsWith('r:') && model.byKey.has(ref.slice(2));
  }

  function referenceTimes(model, ref) {
    if (ref === 'fastest') return cumulative(fastestLegs(model));
    const runner = ref === 'winner' ? Race.winner(model) : ref && ref.startsWith('r:') ? model.byKey.get(ref.slice(2)) : null;
    return runner ? runnerTimes(model, runner) : cumulative(model.top);
  }

  // A grid step in seconds giving about six lines over the span.
  function gridStep(span) {
    const steps = [5, 10, 15, 30, 60, 120, 180, 300, 600, 900, 1200, 1800, 3600, 7200];
    return steps.find((step) => span / step <= 7) || 14400;
  }

  function behindSeries(model, chosen, reference) {
    return chosen.map(({ runner, colour }) => {
      const times = runnerTimes(model, runner);
      return { runner, colour, behind: times.map((t, l) => (t === undefined || reference[l] === undefined ? undefined : t - reference[l])) };
    });
  }

  function draw(model, series, width) {
    // Without any ranked leg the controls stand evenly spaced.
    const xs = cumulative(model.topTotal > 0 ? model.top : model.top.map(() => 1));
    const height = Math.round(Math.max(260, Math.min(520, width * 0.55)));
    const m = { left: 54, right: 14, top: 26, bottom: 14 };
    const plotW = width - m.left - m.right;
    const plotH = height - m.top - m.bottom;
    const xMax = xs[xs.length - 1] || 1;
    const values = series.flatMap((e) => e.behind.filter((v) => v !== undefined));
    let low = Math.min(0, ...values);
    let high = Math.max(0, ...values);
    if (high - low < 30) high = low + 30;
    const pad = (high - low) * 0.04;
    low -= pad;
    high += pad;
    const x = (l) => m.left + (xs[l] / xMax) * plotW;
    const y = (v) => m.top + ((v - low) / (high - low)) * plotH;

    const svg = s('svg', { class: 'race-graph', viewBox: '0 0 ' + width + ' ' + height, width, height, role: 'img', 'aria-label': 'レースグラフ' });
    const step = gridStep(high - low);
    for (let v = Math.ceil(low / step) * step; v <= high; v += step) {
      svg.append(s('line', { class: v === 0 ? 'zero' : 'grid', x1: m.left, x2: width - m.right, y1: y(v), y2: y(v) }),
        s('text', { x: m.left - 4, y: y(v) + 4, 'text-anchor': 'end' }, Fmt.signedTime(v)));
    }
    // Control labels, thinned out where the controls stand close together; the finish always
    // has its label.
    const SPACE = 16;
    let lastLabel = -Infinity;
    for (let l = 1; l <= model.legs; l++) {
      svg.append(s('line', { class: 'grid', x1: x(l), x2: x(l), y1: m.top, y2: height - m.bottom }));
      const finish = l === model.legs;
      const room = x(l) - lastLabel >= SPACE && (finish || x(model.legs) - x(l) >= SPACE);
      if (room || finish) {
        svg.append(s('text', { x: x(l), y: m.top - 8, 'text-anchor': 'middle' }, model.toLabels[l - 1]));
        lastLabel = x(l);
      }
    }
    svg.append(s('line', { class: 'axis', x1: m.left, x2: m.left, y1: m.top, y2: height - m.bottom }));
    for (const { runner, colour, behind } of series) {
      let d = '';
      let pen = 'M';
      behind.forEach((v, l) => {
        if (v === undefined) {
          pen = 'M';
          return;
        }
        d += pen + x(l).toFixed(1) + ' ' + y(v).toFixed(1) + ' ';
        pen = 'L';
      });
      const line = s('path', { class: 'runner-line', 'data-key': runner.key, d: d.trim(), stroke: colour },
        s('title', null, runner.name));
      svg.append(line);
    }
    return svg;
  }

  function legend(series) {
    return h('ul', { class: 'legend' }, series.map(({ runner, colour, behind }) => {
      const known = behind.filter((v) => v !== undefined);
      const last = known.length > 1 ? Fmt.signedTime(known[known.length - 1]) : '';
      const swatch = h('span', { class: 'swatch' });
      swatch.style.background = colour;
      return h('li', null, swatch, runner.name, last ? ' ' + last : '');
    }));
  }

  function render(model, state, chosen, width, onReference) {
    const select = h('select', { onchange: () => onReference(select.value) },
      references(model, state.runners, state.ref).map(([value, caption]) =>
        h('option', { value, selected: value === state.ref }, caption)));
    const panel = h('div', { class: 'panel' }, h('h2', null, 'レースグラフ'),
      h('p', { class: 'hint' }, '各コントロールでの基準との差 (下ほど遅れ)'),
      h('label', { class: 'reference' }, '基準: ', select));
    if (chosen.length === 0) return Dom.append(panel, [h('p', { class: 'empty' }, '比べる選手を選んでください')]);
    const series = behindSeries(model, chosen, referenceTimes(model, state.ref));
    return Dom.append(panel, [draw(model, series, width), legend(series)]);
  }

  return { render, defaultReference, isReference };
})();
