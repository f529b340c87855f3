// Building elements. Every text goes in as a text node and every attribute through
// setAttribute, so nothing taken from the race ever becomes markup.
const Dom = (() => {
  const SVG_NS = 'http://www.w3.org/2000/svg';
  // Set as properties: the state of a control, not its initial attribute.
  const PROPERTIES = new Set(['checked', 'value', 'selected', 'disabled', 'hidden']);

  function setAttributes(node, attributes) {
    for (const [name, value] of Object.entries(attributes || {})) {
      if (value === null || value === undefined) continue;
      if (typeof value === 'function') {
        node.addEventListener(name.replace(/^on/, ''), value);
      } else if (PROPERTIES.has(name)) {
        node[name] = value;
      } else if (value !== false) {
        node.setAttribute(name, value === true ? '' : String(value));
      }
    }
  }

  function append(node, children) {
    for (const child of children) {
      if (child === null || child === undefined || child === false) continue;
      if (Array.isArray(child)) append(node, child);
      else if (child instanceof Node) node.appendChild(child);
      else node.appendChild(document.createTextNode(String(child)));
    }
    return node;
  }

  // h('td', {class: 'leg'}, '4:00', span): an HTML element.
  function h(tag, attributes, ...children) {
    const node = document.createElement(tag);
    setAttributes(node, attributes);
    return append(node, children);
  }

  // The same for SVG.
  function s(tag, attributes, ...children) {
    const node = document.createElementNS(SVG_NS, tag);
    setAttributes(node, attributes);
    return append(node, children);
  }

  function clear(node) {
    while (node.firstChild) node.removeChild(node.firstChild);
    return node;
  }

  return { h, s, clear, append };
})();
