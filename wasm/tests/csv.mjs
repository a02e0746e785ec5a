// csv.mjs: the records of CSV text (',' and quotes), enough for the
// command's output; shared by the package's and the page's tests.
export function parseCsv(text) {
  const records = [];
  let record = [];
  let field = "";
  let quoted = false;
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    if (quoted) {
      if (c === '"' && text[i + 1] === '"') field += text[++i];
      else if (c === '"') quoted = false;
      else field += c;
    } else if (c === '"') quoted = true;
    else if (c === ",") record.push(field), (field = "");
    else if (c === "\n") record.push(field), records.push(record), (record = []), (field = "");
    else field += c;
  }
  return records;
}
