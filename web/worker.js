// worker.js: checks a BOM file off the page's thread. The file is read as
// a stream, so a large one never sits in memory whole as text; rows go to
// the page in batches, and the CSV of the result is made here on request.
//
// The handler is set before the module is loaded (a static import would
// hold the worker's script until the module is ready, and a message sent
// meanwhile would find no handler); each request waits for the module.
const loading = import("./tarvil.js");

const BATCH = 1000;
let rows = [];

async function check(file) {
  rows = [];
  let layout = null;
  let batch = [];
  try {
    const { bomSummary, checkBomStream } = await loading;
    for await (const row of checkBomStream(file.stream(), { onLayout: (l) => (layout = l) })) {
      rows.push(row);
      batch.push(row);
      if (batch.length >= BATCH) {
        postMessage({ type: "rows", rows: batch });
        batch = [];
      }
    }
    postMessage({ type: "rows", rows: batch });
    rows.header = layout?.header ?? [];
    rows.delimiter = layout?.delimiter ?? ",";
    rows.recordsBeforeHeader = layout?.recordsBeforeHeader ?? 0;
    rows.crlf = layout?.crlf ?? false;
    rows.byteOrderMark = layout?.byteOrderMark ?? false;
    postMessage({ type: "done", summary: bomSummary(rows) });
  } catch (e) {
    postMessage({ type: "error", message: e.message, stop: e.stop ?? null });
  }
}

async function csv() {
  const { bomCsv } = await loading;
  postMessage({ type: "csv", text: bomCsv(rows) });
}

onmessage = ({ data }) => {
  if (data.type === "check") check(data.file);
  if (data.type === "csv") csv();
};
