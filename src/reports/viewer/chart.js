// A line chart of runners over the controls of a course, shared by every graph view. One axis
// holds the controls (placed along the course), the other the values; each runner's line runs
// through its points, across any control without a value, and ends in the runner's name.
// Pointing at the chart, tapping it, or the arrow keys choose a control, and the read-out under
// the chart tells about that control.
const Chart = (() => {
  const { h, s } = Dom;
  // Colours told apart by most colour-blind readers, and twenty dash patterns, so that the
  // first twenty lines differ in their pattern even where two colours look alike.
  const COLOURS = ['#d55e00', '#0072b2', '#009e73', '#cc79a7', '#e69f00', '#56b4e9', '#222222', '#8c564b', '#999999', '#b59f00'];
  const DASHES = ['', '10 4', '3 3', '14 4 3 4', '6 3 1 3 1 3', '2 6', '18 5', '8 3 8 3 2 3', '4 8', '12 3 3 3 3 3',
    '1 3', '16 4 2 4 2 4', '6 6', '9 3 1 3', '20 3 6 3', '2 3 2 8', '5 2', '11 6 1 6', '3 6 9 6', '24 4 1 4'];
  const LABEL_HEIGHT = 12;

  // The look of the n-th chosen runner.
  function look(n) {
    return { colour: COLOURS[n % COLOURS.length], dash: DASHES[n % DASHES.length] };
  }

  // A sample of a line's look, for legends and lists.
  function sample(colour, dash) {
    return s('svg', { class: 'sample', width: 28, height: 10, viewBox: '0 0 28 10', 'aria-hidden': 'true' },
      s('line', { x1: 1, x2: 27, y1: 5, y2: 5, stroke: colour, 'stroke-width': 2.5, 'stroke-dasharray': dash || null }));
  }

  // A grid step from the list giving at most about seven lines over the span.
  function gridStep(span, steps) {
    return steps.find((step) => span / step <= 7) || steps[steps.length - 1] * Math.ceil(span / 7 / steps[steps.length - 1]);
  }

  function range(values, axis) {
    if (axis.kind === 'controls') return [0, axis.at[axis.at.length - 1] || 1];
    let low = Math.min(...values, ...(axis.include || []));
    let high = Math.max(...values, ...(axis.include || []));
    if (!Number.isFinite(low)) [low, high] = [0, 1];
    if (high - low < (axis.minSpan || 1)) high = low + (axis.minSpan || 1);
    const pad = axis.pad === undefined ? (high - low) * 0.04 : axis.pad;
    return [low - pad, high + pad];
  }

  // The lines' end labels, moved apart where they would overlap.
  function placeLabels(labels, bottom) {
    labels.sort((a, b) => a.y - b.y);
    const placed = [];
    for (const label of labels) {
      let y = label.y;
      for (const other of placed) {
        if (Math.abs(other.x - label.x) < label.width && y - other.y < LABEL_HEIGHT) y = other.y + LABEL_HEIGHT;
      }
      label.y = Math.min(y, bottom);
      placed.push(label);
    }
    return labels;
  }

  // plot: {width, label, x, y, series, readout, start}. x and y are axes: {kind: 'controls',
  // at: [position of the start and every control], labels} or {kind: 'values', format, steps,
  // include, invert, minSpan}. A series is {key, name, colour, dash, points: [[x, y] or
  // undefined for the start and every control]}. readout(index) gives the read-out of a control.
  function draw(plot) {
    const { width, series } = plot;
    const controlsOnX = plot.x.kind === 'controls';
    const controls = controlsOnX ? plot.x : plot.y;
    const narrow = width < 520;
    const nameRoom = narrow ? 64 : 104;
    const m = controlsOnX
      ? { left: 54, right: nameRoom, top: 26, bottom: 12 }
      : { left: 44, right: nameRoom, top: 12, bottom: 24 };
    const height = Math.round(Math.max(280, Math.min(460, width * 0.56)));
    const plotW = width - m.left - m.right;
    const plotH = height - m.top - m.bottom;
    const defined = series.flatMap((e) => e.points.filter(Boolean));
    const [x0, x1] = range(defined.map((p) => p[0]), plot.x);
    const [y0, y1] = range(defined.map((p) => p[1]), plot.y);
    const px = (v) => m.left + ((v - x0) / (x1 - x0)) * plotW;
    const py = plot.y.invert ? (v) => m.top + plotH - ((v - y0) / (y1 - y0)) * plotH : (v) => m.top + ((v - y0) / (y1 - y0)) * plotH;

    const svg = s('svg', { class: 'chart', viewBox: '0 0 ' + width + ' ' + height, width, height, role: 'img', 'aria-label': plot.label, tabindex: 0 });
    const grid = s('g', { class: 'grid-lines' });
    svg.append(grid);
    // The value axis: lines at round steps.
    const values = controlsOnX ? plot.y : plot.x;
    const [v0, v1] = controlsOnX ? [y0, y1] : [x0, x1];
    const step = gridStep(v1 - v0, values.steps);
    for (let v = Math.ceil(v0 / step) * step; v <= v1; v += step) {
      const zero = Math.abs(v) < 1e-9 && values.zeroLine;
      if (controlsOnX) {
        grid.append(s('line', { class: zero ? 'zero' : 'grid', x1: m.left, x2: m.left + plotW, y1: py(v), y2: py(v) }),
          s('text', { x: m.left - 4, y: py(v) + 4, 'text-anchor': 'end' }, values.format(v)));
      } else {
        grid.append(s('line', { class: 'grid', x1: px(v), x2: px(v), y1: m.top, y2: m.top + plotH }),
          s('text', { x: px(v), y: height - 6, 'text-anchor': 'middle' }, values.format(v)));
      }
    }
    // The control axis: a line at every control, labels thinned where they stand close.
    const at = (i) => (controlsOnX ? px(controls.at[i]) : py(controls.at[i]));
    const last = controls.at.length - 1;
    let lastLabel = -Infinity;
    const room = controlsOnX ? 16 : LABEL_HEIGHT;
    for (let i = 1; i <= last; i++) {
      const p = at(i);
      const finish = i === last;
      const fits = p - lastLabel >= room && (finish || at(last) - p >= room);
      if (controlsOnX) grid.append(s('line', { class: 'grid', x1: p, x2: p, y1: m.top, y2: m.top + plotH }));
      else grid.append(s('line', { class: 'grid', x1: m.left, x2: m.left + plotW, y1: p, y2: p }));
      if (fits || finish) {
        grid.append(controlsOnX
          ? s('text', { x: p, y: m.top - 8, 'text-anchor': 'middle' }, controls.labels[i])
          : s('text', { x: m.left - 4, y: p + 4, 'text-anchor': 'end' }, controls.labels[i]));
        lastLabel = p;
      }
    }
    svg.append(s('line', { class: 'axis', x1: m.left, x2: m.left, y1: m.top, y2: m.top + plotH }));

    const labels = [];
    for (const line of series) {
      let d = '';
      let end = null;
      line.points.forEach((p) => {
        if (!p) return;
        d += (d ? 'L' : 'M') + px(p[0]).toFixed(1) + ' ' + py(p[1]).toFixed(1) + ' ';
        end = p;
      });
      if (!end) continue;
      svg.append(s('path', { class: 'runner-line', 'data-key': line.key, d: d.trim(), stroke: line.colour, 'stroke-dasharray': line.dash || null },
        s('title', null, line.name)));
      const name = narrow && line.name.length > 5 ? line.name.slice(0, 5) + '…' : line.name;
      // Beside the end of a line; above it where the line ends on the time axis below.
      labels.push({ x: px(end[0]) + 4, y: py(end[1]) + (controlsOnX ? 4 : -5), width: nameRoom, text: name, line });
    }
    for (const label of placeLabels(labels, height - 2)) {
      svg.append(s('text', { class: 'line-name', 'data-key': label.line.key, x: label.x, y: label.y, fill: label.line.colour }, label.text));
    }

    // The chosen control: a line across the chart and a mark on every runner's point there.
    const marker = s('g', { class: 'marker' });
    svg.append(marker);
    const readout = h('div', { class: 'readout', 'aria-live': 'polite' });
    let chosen = -1;
    function choose(index) {
      chosen = Math.max(0, Math.min(last, index));
      Dom.clear(marker);
      const p = at(chosen);
      marker.append(controlsOnX
        ? s('line', { class: 'cursor', x1: p, x2: p, y1: m.top, y2: m.top + plotH })
        : s('line', { class: 'cursor', x1: m.left, x2: m.left + plotW, y1: p, y2: p }));
      for (const line of series) {
        const point = line.points[chosen];
        if (point) marker.append(s('circle', { cx: px(point[0]), cy: py(point[1]), r: 3.5, fill: line.colour }));
      }
      Dom.append(Dom.clear(readout), [plot.readout(chosen)]);
    }
    function fromPointer(event) {
      const box = svg.getBoundingClientRect();
      const scale = width / box.width;
      const pos = controlsOnX ? (event.clientX - box.left) * scale : (event.clientY - box.top) * scale;
      let best = 0;
      for (let i = 1; i <= last; i++) if (Math.abs(at(i) - pos) < Math.abs(at(best) - pos)) best = i;
      if (best !== chosen) choose(best);
    }
    svg.addEventListener('pointermove', fromPointer);
    svg.addEventListener('pointerdown', fromPointer);
    svg.addEventListener('keydown', (event) => {
      const forward = controlsOnX ? 'ArrowRight' : 'ArrowDown';
      const back = controlsOnX ? 'ArrowLeft' : 'ArrowUp';
      if (event.key !== forward && event.key !== back) return;
      event.preventDefault();
      choose(chosen + (event.key === forward ? 1 : -1));
    });
    choose(plot.start === undefined ? last : plot.start);
    return h('div', { class: 'chart-box' }, svg, readout);
  }

  return { draw, look, sample, COLOURS, DASHES };
})();
