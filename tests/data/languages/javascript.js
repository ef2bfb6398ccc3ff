// todo.js - a tiny to-do list kept in localStorage.
'use strict';

const STORAGE_KEY = "todo-items";

/* Loads the list, or starts an empty one. */
function loadItems() {
  try {
    return JSON.parse(localStorage.getItem(STORAGE_KEY)) ?? [];
  } catch (err) {
    console.warn('stored list is damaged, starting afresh:', err);
    return [];
  }
}

function escapeHtml(text) {
  return text
    .replaceAll('&', '&amp;')
    .replaceAll('<', '&lt;')
    .replaceAll('>', '&gt;')
    .replaceAll('"', '&quot;');
}

class TodoList {
  #items;

  constructor(root) {
    this.root = root;
    this.#items = loadItems();
  }

  add(title) {
    if (typeof title !== 'string' || title.trim() === '') {
      return false;
    }
    this.#items.push({ id: Date.now(), title: title.trim(), done: false });
    this.save();
    return true;
  }

  toggle(id) {
    const item = this.#items.find((i) => i.id === id);
    if (item !== undefined) {
      item.done = !item.done;
      this.save();
    }
  }

  save() {
    localStorage.setItem(STORAGE_KEY, JSON.stringify(this.#items));
    this.render();
  }

  render() {
    const open = this.#items.filter((i) => !i.done).length;
    this.root.innerHTML = this.#items
      .map((i) => `<li class="${i.done ? 'done' : ''}" data-id="${i.id}">${escapeHtml(i.title)}</li>`)
      .join('\n');
    document.title = `To do (${open})`;
  }
}

export default async function start(selector = '#todo') {
  const list = new TodoList(document.querySelector(selector));
  for (const form of document.forms) {
    form.addEventListener('submit', (event) => {
      event.preventDefault();
      list.add(form.elements.title.value);
      form.reset();
    });
  }
  list.render();
  return list;
}
