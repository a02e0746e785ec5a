// app.js: the BOM page. A worker (worker.js) reads the file; this script
// shows its rows as they come, as many per turn of the event loop as fit in
// a few milliseconds, so that the page stays responsive with 100,000 rows,
// then the summary line.
// Every text from the file is set as text, never as markup.
const input = document.getElementById("bom-file");
const table = document.getElementById("bom-rows");
const summary = document.getElementById("bom-summary");
const download = document.getElementById("bom-download");

const TURN_MS = 40;
// Rows go into groups (tbody elements) of this many; the page lays out and
// paints only the groups in sight (style.css).
const GROUP_ROWS = 500;
const UNIT_SYMBOLS = { ohms: "Ω", F: "F", H: "H", V: "V", A: "A", W: "W" };

let worker = null;
let queue = [];
let rendering = false;
let finished = null;  // the summary, once the worker is done
let fileName = "bom.csv";

function percent(x) {
  return `${Number((x * 100).toPrecision(6))}%`;
}

// The attributes of a row's value field, for a person.
function attributes(row) {
  const out = [];
  if (!row.fitted) out.push("not fitted");
  const t = row.tolerance;
  if (t) {
    const show = t.relative ? percent : (x) => String(x);
    out.push(t.minus === t.plus ? `±${show(t.plus)}` : `+${show(t.plus)}/−${show(t.minus)}`);
  }
  if (row.voltage !== null) out.push(`${row.voltage} V`);
  if (row.current !== null) out.push(`${row.current} A`);
  if (row.power !== null) out.push(`${row.power} W`);
  if (row.temperatureCoefficient !== null) out.push(`${row.temperatureCoefficient} ppm/K`);
  if (row.dielectric !== null) out.push(row.dielectric);
  if (row.package !== null) out.push(row.package);
  if (row.rest !== null) out.push(row.rest);
  return out.join(", ");
}

function cell(tr, text, className) {
  const td = document.createElement("td");
  td.textContent = text;
  if (className) td.className = className;
  tr.append(td);
  return td;
}

function rowElement(row) {
  const tr = document.createElement("tr");
  tr.dataset.status = row.status;
  cell(tr, String(row.row), "row");
  cell(tr, row.ref, "ref");
  cell(tr, row.input, "input");
  const value = cell(tr, row.value === null ? "" : `${row.text}${UNIT_SYMBOLS[row.unit] ?? ""}`, "value");
  if (row.value !== null) value.dataset.value = String(row.value);
  cell(tr, attributes(row), "attributes");
  cell(tr, row.message, "message");
  return tr;
}

function render() {
  const until = performance.now() + TURN_MS;
  while (queue.length > 0 && performance.now() < until) {
    let group = table.tBodies[table.tBodies.length - 1];
    if (group === undefined || group.rows.length >= GROUP_ROWS) group = table.createTBody();
    const fragment = document.createDocumentFragment();
    const room = GROUP_ROWS - group.rows.length;
    for (const row of queue.splice(0, room)) fragment.append(rowElement(row));
    group.append(fragment);
  }
  if (queue.length > 0) {
    setTimeout(render, 0);
    return;
  }
  rendering = false;
  if (finished !== null) {
    summary.textContent = finished.text;
    summary.dataset.state = "done";
    download.disabled = false;
  }
}

function enqueue(rows) {
  queue.push(...rows);
  if (!rendering) {
    rendering = true;
    setTimeout(render, 0);
  }
}

function start(file) {
  worker?.terminate();
  queue = [];
  finished = null;
  fileName = file.name.replace(/\.[^.]*$/, "") + "-checked.csv";
  for (const group of [...table.tBodies]) group.remove();
  summary.className = "";
  summary.dataset.state = "checking";
  summary.textContent = `Checking ${file.name}…`;
  download.disabled = true;
  worker = new Worker(new URL("./worker.js", import.meta.url), { type: "module" });
  worker.onmessage = ({ data }) => {
    if (data.type === "rows") enqueue(data.rows);
    if (data.type === "done") {
      finished = data.summary;
      if (!rendering) render();
    }
    if (data.type === "error") {
      summary.className = "error";
      summary.dataset.state = "error";
      summary.textContent = data.message;
    }
    if (data.type === "csv") save(data.text);
  };
  worker.onerror = (e) => {
    summary.className = "error";
    summary.dataset.state = "error";
    summary.textContent = `The file could not be checked: ${e.message}`;
  };
  worker.postMessage({ type: "check", file });
}

function save(text) {
  const url = URL.createObjectURL(new Blob([text], { type: "text/csv" }));
  const a = document.createElement("a");
  a.href = url;
  a.download = fileName;
  document.body.append(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

input.addEventListener("change", () => {
  if (input.files.length > 0) start(input.files[0]);
});
download.addEventListener("click", () => worker?.postMessage({ type: "csv" }));
document.addEventListener("dragover", (e) => {
  e.preventDefault();
  document.body.classList.add("dragging");
});
document.addEventListener("dragleave", () => document.body.classList.remove("dragging"));
document.addEventListener("drop", (e) => {
  e.preventDefault();
  document.body.classList.remove("dragging");
  if (e.dataTransfer.files.length > 0) start(e.dataTransfer.files[0]);
});
