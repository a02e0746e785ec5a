// The BOM page in headless Chromium, served from build/wasm/web/ by a
// static file server on 127.0.0.1 as any would serve it: the sample BOM
// through the file input gives the command's rows, summary and CSV, and a
// 100,000-row file is shown whole. Environment: TARVIL_WEB (the page's
// folder), TARVIL_TOOL, TARVIL_EXAMPLES, TARVIL_CHROMIUM.
import { test, before, after } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { createServer } from "node:http";
import { mkdtemp, readFile, readdir, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { extname, join, normalize } from "node:path";
import puppeteer from "puppeteer-core";
import { parseCsv } from "./csv.mjs";

const web = process.env.TARVIL_WEB;
const tool = process.env.TARVIL_TOOL;
const sample = join(process.env.TARVIL_EXAMPLES ?? "", "bom.csv");
const TYPES = { ".html": "text/html", ".js": "text/javascript", ".css": "text/css", ".wasm": "application/wasm" };

let server;
let browser;
let base;
let work;

before(async () => {
  work = await mkdtemp(join(tmpdir(), "tarvil-page-"));
  server = createServer(async (request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, "http://x").pathname)).replace(/^\/+/, "");
    if (path === "" || path === ".") path = "index.html";
    try {
      if (path.startsWith("..")) throw new Error("outside the folder");
      const body = await readFile(join(web, path));
      response.writeHead(200, { "content-type": TYPES[extname(path)] ?? "application/octet-stream" });
      response.end(body);
    } catch {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
  base = `http://127.0.0.1:${server.address().port}/`;
  browser = await puppeteer.launch({
    executablePath: process.env.TARVIL_CHROMIUM,
    headless: true,
    args: ["--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  await rm(work, { recursive: true, force: true });
});

// Opens the page, picks `file` and waits until every row is shown.
async function check(file, timeout) {
  const page = await browser.newPage();
  const problems = [];
  page.on("pageerror", (e) => problems.push(e.message));
  await page.goto(base, { waitUntil: "load" });
  const input = await page.$("#bom-file");
  await input.uploadFile(file);
  await page.waitForSelector('#bom-summary[data-state="done"], #bom-summary[data-state="error"]', { timeout });
  assert.deepEqual(problems, []);
  return page;
}

function command(args) {
  const run = spawnSync(tool, ["bom", "--settings", "defaults", ...args, sample], { encoding: "utf8" });
  const summary = run.stderr.split("\n").find((line) => / rows, /.test(line));
  return { stdout: run.stdout, summary: summary.replace(/^tarvil: bom: /, "") };
}


test("the sample BOM: the command's rows, summary and CSV", async () => {
  const page = await check(sample, 30_000);
  const shown = await page.$$eval("#bom-rows tr[data-status]", (trs) => trs.map((tr) => ({
    status: tr.dataset.status,
    ref: tr.cells[1].textContent,
    input: tr.cells[2].textContent,
    value: tr.cells[3].dataset.value ?? null,
    message: tr.cells[5].textContent,
  })));
  const expected = command(["--json"]).stdout.trim().split("\n").map((line) => JSON.parse(line));
  assert.deepEqual(shown.map((r) => [r.status, r.ref, r.input, r.value === null ? null : Number(r.value)]),
    expected.map((e) => [e.status, e.ref, e.input, e.value]));
  // The command adds what to do ("(--map U=KIND)") to the library's message.
  shown.forEach((r, i) => assert.ok(expected[i].message.split("\n")[0].startsWith(r.message.split("\n")[0]), `row ${i + 1}`));
  assert.equal(await page.$eval("#bom-summary", (p) => p.textContent), command(["--json"]).summary);

  // The download: the command's CSV (messages compared by their first line).
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: work, eventsEnabled: true });
  const downloaded = new Promise((resolve) => cdp.on("Browser.downloadProgress", (e) => e.state === "completed" && resolve()));
  await page.click("#bom-download");
  await downloaded;
  const [name] = (await readdir(work)).filter((f) => f.endsWith(".csv"));
  assert.equal(name, "bom-checked.csv");
  const records = (text) => parseCsv(text).map((r) => r.map((f) => f.split(/\n|; | \(--/)[0]));
  assert.deepEqual(records(await readFile(join(work, name), "utf8")), records(command([]).stdout));
  await page.close();
});

test("100,000 rows are all shown, and the page answers meanwhile", async () => {
  const lines = ["Reference,Value,Footprint"];
  const values = ['"1234,567"', "4x7", "10uH", "SW"];  // R ambiguous, C refused, L read, U skipped
  for (let i = 1; i <= 100_000; i++) lines.push(`${"RCLU"[i % 4]}${i},${values[i % 4]},0603`);
  const file = join(work, "large.csv");
  await writeFile(file, lines.join("\n") + "\n");
  const started = Date.now();
  const page = await browser.newPage();
  await page.goto(base, { waitUntil: "load" });
  await (await page.$("#bom-file")).uploadFile(file);
  // While the rows come in, the page's thread still answers within a
  // fraction of a second.
  await page.waitForSelector("#bom-rows tr[data-status]");
  let slowest = 0;
  for (let i = 0; i < 5; i++) {
    const asked = Date.now();
    await page.evaluate(() => document.querySelectorAll("#bom-rows tr[data-status]").length);
    slowest = Math.max(slowest, Date.now() - asked);
  }
  await page.waitForSelector('#bom-summary[data-state="done"]', { timeout: 180_000 });
  const count = await page.$eval("#bom-rows", (t) => t.querySelectorAll("tr[data-status]").length);
  assert.equal(count, 100_000);
  assert.equal(await page.$eval("#bom-summary", (p) => p.textContent),
    "100000 rows, 25000 read, 25000 refused, 25000 ambiguous, 25000 skipped");
  assert.ok(slowest < 2000, `the page took ${slowest} ms to answer`);
  console.log(`# 100,000 rows shown in ${Date.now() - started} ms; the page answered within ${slowest} ms`);
  await page.close();
});
