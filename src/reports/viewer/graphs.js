// The graph views of the chosen runners:
// - graph: the time behind a reference at every control;
// - clock: the course against the time of day, who ran together and who caught whom;
// - position: the position after every control (elapsed) or on every leg;
// - percent: every leg as a percentage behind the reference's leg.
// The controls stand along the course by the top averages of the legs.
const Graphs = (() => {
  const { h } = Dom;
  const TIME_STEPS = [5, 10, 15, 30, 60, 120, 180, 300, 600, 900, 1200, 1800, 3600, 7200];
  const NEAR = 120;  // who passed a control within two minutes of the chosen runner

  // --- references ---------------------------------------------------------------------------

  const FACTORS = { fastest: 1, fastest5: 1.05, fastest25: 1.25, fastest50: 1.5, fastest100: 2 };

  function cumulative(values) {
    const sums = [0];
    for (const v of values) sums.push(v === undefined || sums[sums.length - 1] === undefined ? undefined : sums[sums.length - 1] + v);
    return sums;
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
    for (const n of [5, 25, 50, 100]) list.push(['fastest' + n, '各レッグの最速 +' + n + '%']);
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
    if (ref === 'top3' || ref in FACTORS) return true;
    return typeof ref === 'string' && ref.startsWith('r:') && model.byKey.has(ref.slice(2));
  }

  function referenceRunner(model, ref) {
    if (ref === 'winner') return Race.winner(model);
    return ref && ref.startsWith('r:') ? model.byKey.get(ref.slice(2)) || null : null;
  }

  // The reference's elapsed time at the start and every control; undefined where unknown.
  function referenceTimes(model, ref) {
    if (ref in FACTORS) return cumulative(fastestLegs(model).map((t) => t * FACTORS[ref]));
    const runner = referenceRunner(model, ref);
    return runner ? runner.line : cumulative(model.top);
  }

  // Where the start and every control stand along the course; evenly spaced without any
  // ranked leg.
  function positions(model) {
    return cumulative(model.topTotal > 0 ? model.top : model.top.map(() => 1));
  }

  // --- values ---------------------------------------------------------------------------------

  function behind(runner, reference) {
    return runner.line.map((t, i) => (t === undefined || reference[i] === undefined ? undefined : t - reference[i]));
  }

  // Each leg's time over the reference's time for the same legs, in percent behind; a merged
  // time is measured over its whole stretch and stands at each of its legs.
  function legPercents(runner, reference) {
    const values = [undefined];
    for (let l = 0; l < runner.lap.length; l++) {
      const counted = runner.state[l] > 0 || (runner.state[l] === 0 && runner.lap[l] > 0);
      let end = l;
      if (runner.state[l] === -1) while (end < runner.lap.length && runner.state[end] === -1) end++;
      const timed = counted || (end < runner.lap.length && runner.state[end] > 0 && end !== l);
      if (!timed) {
        values.push(undefined);
        continue;
      }
      const first = Measures.firstCovered(runner.state, end);
      const refTime = reference[end + 1] !== undefined && reference[first] !== undefined ? reference[end + 1] - reference[first] : undefined;
      values.push(refTime > 0 ? (runner.lap[end] / refTime - 1) * 100 : undefined);
    }
    return values;
  }

  // The position after every control (sum) or on every leg (lap).
  function places(runner, mode) {
    const values = [undefined];
    for (let l = 0; l < runner.lap.length; l++) {
      const rank = mode === 'sum' ? (runner.sumState[l] !== -2 ? runner.sumRank[l] : 0) : runner.lapRank[l];
      values.push(rank > 0 ? rank : undefined);
    }
    return values;
  }

  // --- read-out -------------------------------------------------------------------------------

  // The split of leg l as the table shows it.
  function splitText(model, runner, l) {
    const state = runner.state[l];
    if (state === -1) {
      let end = l;
      while (end < model.legs && runner.state[end] === -1) end++;
      return end < model.legs && runner.state[end] > 0 ? '→ ' + Fmt.time(runner.lap[end]) + ' (' + Race.spanLabel(model, Measures.firstCovered(runner.state, end), end) + ')' : 'n/a';
    }
    if (state < 0) return 'n/a';
    if (state > 0) return Fmt.time(runner.lap[l]) + ' (' + Race.spanLabel(model, state - 1, l) + ')';
    return Fmt.time(runner.lap[l]);
  }

  function missText(runner, l, threshold) {
    const end = runner.state[l] === -1 ? runner.state.findIndex((s, m) => m > l && s > 0) : l;
    if (end < 0 || !Measures.counted(runner.state, runner.lapRank, end)) return '-';
    const text = Fmt.signedTime(runner.miss[end]);
    return Measures.isMistake(runner, end, threshold) ? SplitTable.MARK + text : text;
  }

  // At control i, for every chosen runner: the split, its rank, the time behind the reference
  // and the miss time.
  function readoutTable(model, chosen, reference, threshold, i) {
    const title = i === 0 ? 'スタート' : model.labels[i - 1];
    const rows = chosen.map(({ runner, colour, dash }) => {
      const l = i - 1;
      const diff = runner.line[i] !== undefined && reference[i] !== undefined ? Fmt.signedTime(runner.line[i] - reference[i]) : '-';
      const rank = l >= 0 && runner.state[l] === 0 && runner.lapRank[l] > 0 ? String(runner.lapRank[l]) : '-';
      return h('tr', { 'data-key': runner.key },
        h('th', { scope: 'row' }, Chart.sample(colour, dash), runner.name),
        h('td', null, l >= 0 ? splitText(model, runner, l) : Fmt.clock(runner.start)),
        h('td', null, rank), h('td', null, diff), h('td', null, l >= 0 ? missText(runner, l, threshold) : '-'));
    });
    return [h('div', { class: 'readout-title' }, title),
      h('table', { class: 'readout-table' },
        h('thead', null, h('tr', null, h('th', null, '選手'), h('th', null, i === 0 ? 'スタート' : 'ラップ'),
          h('th', null, '順位'), h('th', null, '差'), h('th', null, 'ミス'))),
        h('tbody', null, rows))];
  }

  // Who passed control i within two minutes of the runner, the runner included.
  function passedNear(model, runner, i) {
    if (!(runner.start > 0) || runner.line[i] === undefined) return [];
    const at = runner.start + runner.line[i];
    const near = [];
    for (const other of model.runners) {
      if (!(other.start > 0) || other.line[i] === undefined) continue;
      const when = other.start + other.line[i];
      if (Math.abs(when - at) <= NEAR) near.push({ other, when });
    }
    return near.sort((a, b) => a.when - b.when || a.other.index - b.other.index);
  }

  function nearList(model, runner, i) {
    if (!runner) return null;
    const near = passedNear(model, runner, i);
    const title = runner.name + ' の前後2分以内に' + (i === 0 ? 'スタート' : model.toLabels[i - 1] + ' を通過') + ' (' + near.length + '人)';
    const at = runner.start + runner.line[i];
    return h('div', { class: 'near' }, h('div', { class: 'readout-title' }, title),
      h('ul', null, near.map(({ other, when }) =>
        h('li', { class: other === runner ? 'self' : null, 'data-key': other.key },
          h('span', { class: 'when' }, Fmt.clock(when)), ' ', other.name, ' ',
          h('span', { class: 'diff' }, other === runner ? '' : Fmt.signedTime(when - at))))));
  }

  // --- views ----------------------------------------------------------------------------------

  function controlAxis(model) {
    return { kind: 'controls', at: positions(model), labels: ['S', ...model.toLabels] };
  }

  function series(chosen, values, toPoint) {
    return chosen.map(({ runner, colour, dash }) => ({
      key: runner.key, name: runner.name, colour, dash,
      points: values(runner).map((v, i) => (v === undefined ? undefined : toPoint(v, i))),
    }));
  }

  function referenceSelect(model, state, onReference) {
    const select = h('select', { onchange: () => onReference(select.value) },
      references(model, state.runners, state.ref).map(([value, caption]) =>
        h('option', { value, selected: value === state.ref }, caption)));
    return h('label', { class: 'reference' }, '基準: ', select);
  }

  // A graph of the controls along the course and one value of each runner at every control
  // (valuesOf(runner, reference, state)); the value axis is described by axis.
  function alongCourse(axis, valuesOf) {
    return (model, state, chosen) => {
      const reference = referenceTimes(model, state.ref);
      const at = positions(model);
      return {
        x: controlAxis(model),
        y: Object.assign({ kind: 'values' }, axis),
        series: series(chosen, (r) => valuesOf(r, reference, state), (v, i) => [at[i], v]),
        readout: (i) => readoutTable(model, chosen, reference, state.threshold, i),
      };
    };
  }

  const VIEWS = {
    graph: {
      title: 'レースグラフ',
      hint: '各コントロールでの基準との差 (下ほど遅れ)',
      reference: true,
      chart: alongCourse({ format: Fmt.signedTime, steps: TIME_STEPS, include: [0], minSpan: 30, zeroLine: true },
        (runner, reference) => behind(runner, reference)),
    },
    clock: {
      title: '時刻グラフ',
      hint: '横は時刻、縦はコースの進み。線が交われば、そこで追いついた・追い抜いたことになります。',
      reference: true,
      chart(model, state, chosen) {
        const reference = referenceTimes(model, state.ref);
        const timed = chosen.filter(({ runner }) => runner.start > 0);
        const focus = referenceRunner(model, state.ref) || (timed[0] && timed[0].runner);
        const at = positions(model);
        return {
          x: { kind: 'values', format: Fmt.clock, steps: TIME_STEPS, pad: 0 },
          y: controlAxis(model),
          series: series(timed, (r) => r.line.map((t) => (t === undefined ? undefined : r.start + t)), (v, i) => [v, at[i]]),
          readout: (i) => [nearList(model, focus && focus.start > 0 ? focus : null, i), ...readoutTable(model, chosen, reference, state.threshold, i)],
          empty: timed.length === 0 ? '選んだ選手にはスタート時刻がありません' : null,
        };
      },
    },
    position: {
      title: '順位グラフ',
      hint: '各コントロールでの順位 (積算) または各レッグの順位 (ラップ)',
      modes: true,
      chart: alongCourse({ format: (v) => String(Math.round(v)) + '位', steps: [1, 2, 5, 10, 20, 50, 100, 200], include: [1], pad: 0.5 },
        (runner, reference, state) => places(runner, state.mode)),
    },
    percent: {
      title: 'レッグ比較',
      hint: '各レッグのタイムが基準より何%遅いか (下ほど遅い)',
      reference: true,
      chart: alongCourse({ format: Fmt.signedPercent, steps: [5, 10, 20, 25, 50, 100, 200, 500], include: [0], minSpan: 20, zeroLine: true },
        (runner, reference) => legPercents(runner, reference)),
    },
  };

  function modeButtons(state, onMode) {
    return h('div', { class: 'mode', role: 'group', 'aria-label': '順位' },
      [['sum', '積算'], ['lap', 'ラップ']].map(([mode, caption]) =>
        h('button', { type: 'button', 'aria-pressed': String(state.mode === mode), onclick: () => onMode(mode) }, caption)));
  }

  function render(view, model, state, chosen, width, handlers) {
    const kind = VIEWS[view];
    const panel = h('div', { class: 'panel' }, h('h2', null, kind.title), h('p', { class: 'hint' }, kind.hint),
      h('div', { class: 'panel-tools' }, kind.reference ? referenceSelect(model, state, handlers.onReference) : null,
        kind.modes ? modeButtons(state, handlers.onMode) : null));
    if (chosen.length === 0) return Dom.append(panel, [h('p', { class: 'empty' }, '比べる選手を選んでください')]);
    const plot = kind.chart(model, state, chosen);
    if (plot.empty) return Dom.append(panel, [h('p', { class: 'empty' }, plot.empty)]);
    return Dom.append(panel, [Chart.draw(Object.assign({ width, label: kind.title }, plot))]);
  }

  return { render, defaultReference, isReference, referenceTimes, references, VIEWS, passedNear, legPercents };
})();
