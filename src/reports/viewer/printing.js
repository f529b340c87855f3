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

  // Every class's table in class order, each under its title; tables(): [{title, node}].
  function printAll(tables) {
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
