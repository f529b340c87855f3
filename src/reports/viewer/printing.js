// Printing: the table of the class shown, or the tables of every class one after another.
// The print style fits a wide table to the width of the page (its letters shrink with the
// number of legs), so no column is cut off.
const Printing = (() => {
  const { h } = Dom;

  function afterPrint(done) {
    window.addEventListener('afterprint', function once() {
      window.removeEventListener('afterprint', once);
      done();
    });
  }

  function printShown() {
    window.print();
  }

  // The leg times of a class in result order with the misses of the threshold marked, every
  // row shown, under the class's title.
  function classTable(m, threshold) {
    const table = SplitTable.build(m, 'lap', () => {}, () => {}, null);
    table.sort('total');
    table.mark(threshold);
    table.showAll(true);
    return { title: m.title + '  ' + m.runners.length + '人', node: table.node };
  }

  // Every class's table in class order (models: the classes' models).
  function printAll(models, threshold) {
    const tables = models.map((m) => classTable(m, threshold));
    const box = h('div', { class: 'print-all', id: 'print-all' },
      tables.map(({ title, node }) => h('section', { class: 'print-class' }, h('h2', null, title), node)));
    document.body.append(box);
    document.body.classList.add('printing-all');
    afterPrint(() => {
      box.remove();
      document.body.classList.remove('printing-all');
    });
    window.print();
    return box;
  }

  return { printShown, printAll };
})();
