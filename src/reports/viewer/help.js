// The short explanations of the page: what the measures mean, where they appear, and the
// legend of the table's shades and marks.
const Help = (() => {
  const { h } = Dom;
  const LINES = {
    '相対値': '相対値: 計測できたレッグの合計タイムを、上位3人の平均タイムを100として表した値。',
    '巡航速度': '巡航速度: 調子のよかったレッグ (コースの半分ぶん) での速さ。上位3人の平均を100とした値で、小さいほど速い。',
    'ミス率': 'ミス率: 計測できたタイムのうち、ミスで失った時間の割合。',
    'ミスタイム': 'ミスタイム: 巡航速度で走った場合よりよけいにかかった時間 (マイナスは巡航速度より速く走れたレッグ)。',
  };

  function line(term) {
    return LINES[term];
  }

  // "20秒以上かつ10%以上のロス"
  function thresholdText(threshold) {
    return threshold.seconds + '秒以上かつ' + threshold.percent + '%以上のロス';
  }

  function glossary(terms) {
    return h('ul', { class: 'glossary' }, terms.map((term) => h('li', null, LINES[term])));
  }

  // The legend under the table: the shades of the fastest three, the mistake mark, merged and
  // missing splits.
  function tableLegend(threshold) {
    const shade = (rank, text) => h('li', null, h('span', { class: 'key rank' + rank }, text));
    return h('ul', { class: 'legend-table' },
      shade(1, '1位'), shade(2, '2位'), shade(3, '3位'),
      h('li', null, h('span', { class: 'key mistake' }, h('span', { class: 'mark' }, SplitTable.MARK), '4:05'),
        ' ミス (' + thresholdText(threshold) + ')'),
      h('li', null, h('span', { class: 'key merged' }, '5:30'), ' パンチのない区間をまとめたタイム'),
      h('li', null, h('span', { class: 'key na' }, 'n/a'), ' 記録なし'));
  }

  return { line, glossary, thresholdText, tableLegend };
})();
