// Checks every color notation of ColorText against colorjs.io, an independent implementation of
// CSS Color 4, at the version pinned in reference/package.json, which scripts/setup installs into
// .cache/notation-reference/ (never committed).
//
// For each color, color_notation_dump prints the notations; this script works out the same with
// colorjs.io's color spaces and CSS Color 4's rounding rules, and wants the same text, except where
// colorjs.io's unrounded value lies within 1e-9 of a rounding tie: there either neighbour is right
// (the exact value decides, and double arithmetic on either side may miss it by a hair), so the
// printed number may be one unit of its last digit off. Then every CSS text the dump printed must
// parse back with colorjs.io's parser to the same 8-bit color. Four decimals of oklab and oklch
// are too few for that near the bottom of a channel, where sRGB's curve is steep (oklab(0.862
// -0.2296 0.1718), the text of 00FD25, parses back to red -0.61): there, where the text is
// colorjs.io's own, a channel may come back one off, and such colors are counted apart. Everything
// else must be exact.
//
// Usage: node notation_reference.mjs DUMP [--all] [--jobs N]
//        node notation_reference.mjs --print RRGGBB...   (colorjs.io's texts, for a test's table)
//   without --all: a fixed subset of about 22,000 colors (every 997th color, every grey, the greys
//   one step off in one or two channels, the twelve edges of the RGB cube, colors known to sit at
//   the edge of a rounding); with --all: all 2^24 colors, over N worker threads (default 2).
// Status: 0 when all agree, 1 on any disagreement (the first 20 are printed), 2 for bad usage,
// 77 (skipped) when the pinned colorjs.io is not installed.
import { spawn } from "node:child_process";
import { existsSync, readFileSync } from "node:fs";
import path from "node:path";
import { fileURLToPath, pathToFileURL } from "node:url";
import { Worker, isMainThread, parentPort, workerData } from "node:worker_threads";

const here = path.dirname(fileURLToPath(import.meta.url));
const pinned = JSON.parse(readFileSync(path.join(here, "reference", "package.json"), "utf8"))
  .dependencies["colorjs.io"];
const packageDir = path.join(here, "..", "..", ".cache", "notation-reference", "node_modules",
  "colorjs.io");

function installedVersion() {
  const file = path.join(packageDir, "package.json");
  return existsSync(file) ? JSON.parse(readFileSync(file, "utf8")).version : null;
}

const NAMES = ["hex", "html", "hex-lower", "vb", "decimal", "rgb", "rgb-legacy", "hsl", "hwb",
  "lab", "lch", "oklab", "oklch", "float", "qt"];
const CSS = new Set(["html", "hex-lower", "rgb", "rgb-legacy", "hsl", "hwb", "lab", "lch", "oklab",
  "oklch"]);
const COARSE = new Set(["oklab", "oklch"]);  // may come back one off, see above
const ALL = 1 << 24;

// Runs of colors as the dump takes them: [first 0xRRGGBB, count, step].
function subset() {
  const runs = [[0, Math.ceil(ALL / 997), 997], [0, 256, 0x010101]];
  for (const off of [0x000001, 0x000100, 0x010000, 0x000101, 0x010001, 0x010100]) {
    runs.push([off, 255, 0x010101]);
  }
  for (const shift of [0, 8, 16]) {
    const others = [0, 8, 16].filter(s => s !== shift);
    for (const a of [0, 255]) {
      for (const b of [0, 255]) runs.push([(a << others[0]) | (b << others[1]), 256, 1 << shift]);
    }
  }
  // Colors whose values colorjs.io puts within 1e-9 of a tie (lab 517CA8, 584249, oklab 01847E),
  // whose a or b rounds to zero from below (00040E, 004239), whose hue rounds to 360 (300718,
  // 300115), with an exact hsl tie (100100: hue 3.75) and the least oklch chroma (FEFFFF).
  for (const c of [0x517CA8, 0x584249, 0x01847E, 0x00040E, 0x004239, 0x300718, 0x300115, 0x100100,
    0xFEFFFF]) {
    runs.push([c, 1, 0]);
  }
  return runs;
}

// --- CSS Color 4's numbers: rounded half away from zero, trailing zeros dropped, never "-0".

// The value rounded to `dec` places, scaled to the last one. toFixed rounds the exact value of the
// double and takes the larger neighbour at a tie, which on the absolute value is away from zero.
function scaledOf(v, dec, hue) {
  let n = Number(Math.abs(v).toFixed(dec).replace(".", ""));
  if (v < 0 && n !== 0) n = -n;
  return hue && n === 360 * 10 ** dec ? 0 : n;
}

function textOf(n, dec) {
  const unit = 10 ** dec;
  const abs = Math.abs(n);
  let s = String(Math.floor(abs / unit));
  const fraction = String(abs % unit).padStart(dec, "0").replace(/0+$/, "");
  if (fraction) s += "." + fraction;
  return (n < 0 ? "-" : "") + s;
}

function tokenOf(f) {
  if (f.value === null) return "none";
  return textOf(scaledOf(f.value, f.dec, f.hue), f.dec) + (f.pct ? "%" : "");
}

function nearTie(v, dec) {
  const t = Math.abs(v) * 10 ** dec;
  return Math.abs(t - Math.floor(t) - 0.5) < 1e-9 * 10 ** dec;
}

const CSS_NUMBER = /^-?(0|[1-9][0-9]*)(\.[0-9]*[1-9])?$/;

// Whether `got` differs from the reference only by one unit of the last digit, in numbers whose
// value lies within 1e-9 of a tie.
function agreesNearTie(got, name, fields) {
  const m = /^([a-z]+)\((\S+) (\S+) (\S+)\)$/.exec(got);
  if (!m || m[1] !== name) return false;
  for (let i = 0; i < 3; i++) {
    const f = fields[i];
    const token = m[i + 2];
    if (token === tokenOf(f)) continue;
    if (f.value === null || !nearTie(f.value, f.dec)) return false;
    if (f.pct !== token.endsWith("%")) return false;
    const number = f.pct ? token.slice(0, -1) : token;
    if (!CSS_NUMBER.test(number) || number === "-0") return false;
    if ((number.split(".")[1] ?? "").length > f.dec) return false;
    const full = 360 * 10 ** f.dec;
    let d = Math.abs(Math.round(Number(number) * 10 ** f.dec) - scaledOf(f.value, f.dec, f.hue));
    if (f.hue) d = Math.min(d, full - d);
    if (d > 1) return false;
  }
  return true;
}

// colorjs.io's side: the reference texts of a color, and what a text parses back to.
async function loadReference() {
  const cjs = await import(pathToFileURL(path.join(packageDir, "src", "index-fn.js")).href);
  const { ColorSpace, parse, sRGB, Lab, LCH, OKLab, OKLCH, HSL, HSV, HWB } = cjs;
  for (const space of [sRGB, Lab, LCH, OKLab, OKLCH, HSL, HSV, HWB]) ColorSpace.register(space);

  const field = (value, dec, extra) => ({ value, dec, hue: false, pct: false, ...extra });
  const hue = (value, dec) => field(value, dec, { hue: true });
  const pct = value => field(value, 1, { pct: true });

  // The reference of every notation: a string, or for the CSS ones with numbers a name and three
  // fields (the unrounded values, which a near tie needs).
  function reference(R, G, B) {
    const rgb = [R / 255, G / 255, B / 255];
    const hex = ((R << 16) | (G << 8) | B).toString(16).toUpperCase().padStart(6, "0");
    const [h, s, l] = HSL.fromBase(rgb);
    const [hh, w, bl] = HWB.fromBase(HSV.fromBase(rgb));
    const lab = sRGB.to(Lab, rgb);
    const lch = LCH.fromBase(lab);
    const ok = sRGB.to(OKLab, rgb);
    const okl = OKLCH.fromBase(ok);
    return [
      hex,
      "#" + hex,
      "#" + hex.toLowerCase(),
      "&H" + hex.slice(4) + hex.slice(2, 4) + hex.slice(0, 2) + "&",
      `${R} ${G} ${B}`,
      `rgb(${R} ${G} ${B})`,
      `rgb(${R}, ${G}, ${B})`,
      ["hsl", [hue(h, 1), pct(s), pct(l)]],
      ["hwb", [hue(hh, 1), pct(w), pct(bl)]],
      ["lab", lab.map(v => field(v, 2))],
      ["lch", [field(lch[0], 2), field(lch[1], 2), hue(lch[2], 2)]],
      ["oklab", ok.map(v => field(v, 4))],
      ["oklch", [field(okl[0], 4), field(okl[1], 4), hue(okl[2], 2)]],
      rgb.map(v => v.toFixed(3)).join(" "),
      `QColor(${R}, ${G}, ${B})`,
    ];
  }

  // The 8-bit color the text parses back to: [r, g, b], or null when colorjs.io cannot read it.
  const spaces = new Map();
  function parseBack(text) {
    try {
      const p = parse(text);
      if (!spaces.has(p.spaceId)) spaces.set(p.spaceId, ColorSpace.get(p.spaceId));
      return spaces.get(p.spaceId).to(sRGB, p.coords).map(v => Math.round(v * 255));
    } catch {
      return null;
    }
  }

  return { reference, parseBack };
}

const textOfReference = ref =>
  typeof ref === "string" ? ref : `${ref[0]}(${ref[1].map(tokenOf).join(" ")})`;

async function check(dump, runs) {
  const { reference, parseBack } = await loadReference();
  const result = { colors: 0, nearTies: {}, oneOff: {}, failures: 0, shown: [] };
  const count = (map, name) => { map[name] = (map[name] ?? 0) + 1; };
  const fail = (line, what) => {
    if (result.failures++ < 20) result.shown.push(`${line.slice(0, 6)} ${what}`);
  };
  const expected = (function* () {
    for (const [first, count, step] of runs) {
      for (let k = 0; k < count; k++) yield (first + k * step) % ALL;
    }
  })();

  function checkLine(line) {
    const want = expected.next();
    const got = line.split("\t");
    if (want.done || got.length !== NAMES.length + 1 || parseInt(got[0], 16) !== want.value) {
      fail(line, `is not the line of color ${want.value?.toString(16)}: ${line.slice(0, 80)}`);
      return;
    }
    result.colors++;
    const R = want.value >> 16, G = (want.value >> 8) & 255, B = want.value & 255;
    reference(R, G, B).forEach((ref, i) => {
      const text = got[i + 1];
      const name = NAMES[i];
      const refText = textOfReference(ref);
      if (typeof ref === "string") {
        if (text !== ref) fail(line, `${name}: "${text}", colorjs.io "${ref}"`);
      } else {
        const [fn, fields] = ref;
        if (text !== refText) {
          if (agreesNearTie(text, fn, fields)) {
            count(result.nearTies, name);
          } else {
            fail(line, `${name}: "${text}", colorjs.io "${refText}" ` +
              `(unrounded ${fields.map(f => f.value).join(" ")})`);
          }
        }
      }
      if (!CSS.has(name)) return;
      const back = parseBack(text);
      if (back && back[0] === R && back[1] === G && back[2] === B) return;
      const off = back ? Math.max(...[R, G, B].map((v, k) => Math.abs(back[k] - v))) : 256;
      if (COARSE.has(name) && text === refText && off <= 1) {
        count(result.oneOff, name);
      } else {
        fail(line, `${name}: "${text}" parses back with colorjs.io to ${back ?? "nothing"}`);
      }
    });
  }

  const args = runs.map(([first, count, step]) =>
    `${first.toString(16)}:${count}:${step.toString(16)}`);
  const child = spawn(dump, args, { stdio: ["ignore", "pipe", "inherit"] });
  child.stdout.setEncoding("latin1");
  let rest = "";
  child.stdout.on("data", chunk => {
    const lines = (rest + chunk).split("\n");
    rest = lines.pop();
    for (const line of lines) checkLine(line);
  });
  const status = await new Promise(resolve => {
    child.on("error", error => {
      fail("dump  ", `cannot run ${dump}: ${error.message}`);
      resolve(null);
    });
    child.on("close", resolve);
  });
  if (rest) checkLine(rest);
  if (status === null) return result;
  if (status !== 0) fail("dump  ", `ended with status ${status}`);
  if (!expected.next().done) fail("dump  ", "ended before every color of the runs");
  return result;
}

if (!isMainThread) {
  parentPort.postMessage(await check(workerData.dump, workerData.runs));
} else {
  const args = process.argv.slice(2);
  const version = installedVersion();
  if (version !== pinned) {
    console.error(`notation_reference: colorjs.io ${pinned} is not installed in ${packageDir}` +
      (version ? ` (found ${version})` : "") + ": run scripts/setup; skipped");
    process.exit(77);
  }
  if (args[0] === "--print") {
    // The reference texts of the colors named (RRGGBB), "|" between them, for a test's table; a
    // number at a tie is named on stderr, as there the exact value decides, not this text.
    const { reference } = await loadReference();
    for (const hex of args.slice(1)) {
      const v = parseInt(hex, 16);
      const refs = reference(v >> 16, (v >> 8) & 255, v & 255);
      console.log(hex.toUpperCase() + " " + refs.map(textOfReference).join("|"));
      for (const [i, ref] of refs.entries()) {
        for (const f of typeof ref === "string" ? [] : ref[1]) {
          if (f.value !== null && nearTie(f.value, f.dec)) {
            console.error(`${hex} ${NAMES[i]}: ${f.value} is at a tie`);
          }
        }
      }
    }
    process.exit(0);
  }
  const all = args.includes("--all");
  const jobsAt = args.indexOf("--jobs");
  const jobs = jobsAt >= 0 ? Number(args[jobsAt + 1]) : all ? 2 : 1;
  const dump = args[0];
  if (!dump || dump.startsWith("--") || !Number.isInteger(jobs) || jobs < 1 || jobs > 64) {
    console.error("usage: node notation_reference.mjs DUMP [--all] [--jobs N]");
    process.exit(2);
  }
  const started = performance.now();
  let results;
  if (jobs === 1) {
    results = [await check(dump, all ? [[0, ALL, 1]] : subset())];
  } else {
    // Each job a slice of the colors (of the whole cube, or the subset's runs dealt in turn).
    const parts = [];
    for (let j = 0; j < jobs; j++) {
      const first = Math.floor(ALL / jobs * j);
      const runs = all ? [[first, Math.floor(ALL / jobs * (j + 1)) - first, 1]]
        : subset().filter((_, i) => i % jobs === j);
      parts.push(new Promise((resolve, reject) => {
        const worker = new Worker(fileURLToPath(import.meta.url), { workerData: { dump, runs } });
        worker.on("message", resolve);
        worker.on("error", reject);
      }));
    }
    results = await Promise.all(parts);
  }
  const sum = key => results.reduce((n, r) => n + r[key], 0);
  const perName = key => {
    const total = {};
    for (const r of results) {
      for (const [name, n] of Object.entries(r[key])) total[name] = (total[name] ?? 0) + n;
    }
    return Object.entries(total).map(([name, n]) => `${name} ${n}`).join(", ") || "none";
  };
  const seconds = ((performance.now() - started) / 1000).toFixed(1);
  for (const line of results.flatMap(r => r.shown).slice(0, 20)) console.log(line);
  console.log(`notation_reference: ${sum("colors")} colors, ${NAMES.length} notations each, ` +
    `against colorjs.io ${pinned} in ${seconds} s: ${sum("failures")} disagreements`);
  console.log(`  texts one unit apart at a tie: ${perName("nearTies")}`);
  console.log(`  parsed back a channel off (four decimals too few): ${perName("oneOff")}`);
  process.exit(sum("failures") === 0 && sum("colors") > 0 ? 0 : 1);
}
