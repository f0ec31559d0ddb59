"use strict";
// The calculator's arithmetic, done exactly as vorrak-data calc does it:
// multiplier texts are read as the C library's strtod reads them, decimal
// products are worked out on whole numbers (BigInt) and never in binary
// floating point, hexadecimal multipliers are rounded to a double first.
const Amounts = (() => {
  const ExponentLimit = 1000000;
  const isSpace = c => c === 32 || (c >= 9 && c <= 13);
  const isDigit = c => c >= 48 && c <= 57;
  const isHex = c => isDigit(c) || (c >= 97 && c <= 102) || (c >= 65 && c <= 70);
  const lowerAscii = c => (c >= 65 && c <= 90 ? c + 32 : c);
  const clamp = e => Math.max(-ExponentLimit * 4, Math.min(ExponentLimit * 4, e));

  function startsWithNoCase(text, at, word) {
    for (let k = 0; k < word.length; ++k)
      if (lowerAscii(text.charCodeAt(at + k)) !== word.charCodeAt(k)) return false;
    return true;
  }

  // An exponent part ("e-12", "p+3") at pos: its value and where it ends.
  function readExponent(text, pos, mark) {
    const at = k => (k < text.length ? text.charCodeAt(k) : 0);
    const signed = at(pos + 1) === 43 || at(pos + 1) === 45;
    if ((at(pos) | 0x20) !== mark || !isDigit(at(pos + (signed ? 2 : 1)))) return { value: 0, end: pos };
    const negative = at(pos + 1) === 45;
    let i = pos + (signed ? 2 : 1);
    let value = 0;
    for (; isDigit(at(i)); ++i) value = Math.min(value * 10 + (at(i) - 48), ExponentLimit);
    return { value: negative ? -value : value, end: i };
  }

  // mantissa x 2^exponent rounded to the nearest double, ties to even.
  function binaryToDouble(mantissa, exponent) {
    if (mantissa === 0n) return 0;
    const bits = mantissa.toString(2).length;
    const top = bits - 1 + exponent;
    if (top > 1024) return Infinity;
    if (top < -1076) return 0;
    const precision = top >= -1022 ? 53 : 53 - (-1022 - top);
    const shift = bits - precision;
    let q = mantissa;
    if (shift > 0) {
      const s = BigInt(shift);
      q = mantissa >> s;
      const rest = mantissa & ((1n << s) - 1n);
      const half = 1n << (s - 1n);
      if (rest > half || (rest === half && (q & 1n) === 1n)) q += 1n;
      exponent += shift;
    }
    let x = Number(q);
    // Two exact steps, so that no power of two under- or overflows alone.
    const step = exponent < 0 ? -1000 : 1000;
    if (Math.abs(exponent) > 1000) { x *= 2 ** step; exponent -= step; }
    return x * 2 ** exponent;
  }

  function parse(text) {
    const m = { value: 0, exact: false, negative: false, digits: "", exponent: 0 };
    const n = text.length;
    const at = k => (k < n ? text.charCodeAt(k) : 0);
    let i = 0;
    while (i < n && isSpace(at(i))) ++i;
    if (at(i) === 43 || at(i) === 45) { m.negative = at(i) === 45; ++i; }
    if (startsWithNoCase(text, i, "inf")) { m.value = m.negative ? -Infinity : Infinity; return m; }
    if (startsWithNoCase(text, i, "nan")) { m.value = NaN; return m; }
    if (at(i) === 48 && (at(i + 1) | 0x20) === 120 && (isHex(at(i + 2)) || (at(i + 2) === 46 && isHex(at(i + 3))))) {
      i += 2;
      let digits = "";
      let exponent = 0;
      for (; isHex(at(i)); ++i) digits += text[i];
      if (at(i) === 46) for (++i; isHex(at(i)); ++i) { digits += text[i]; exponent -= 4; }
      exponent = clamp(exponent + readExponent(text, i, 0x70).value);
      const value = binaryToDouble(BigInt("0x" + digits), exponent);
      m.value = m.negative ? -value : value;
      return m;
    }
    let digits = "";
    let exponent = 0;
    let anyDigit = false;
    for (; isDigit(at(i)); ++i) {
      anyDigit = true;
      if (digits !== "" || at(i) !== 48) digits += text[i];
    }
    if (at(i) === 46) {
      for (++i; isDigit(at(i)); ++i) {
        anyDigit = true;
        --exponent;
        if (digits !== "" || at(i) !== 48) digits += text[i];
      }
    }
    if (!anyDigit) return m;
    const e = readExponent(text, i, 0x65);
    exponent = clamp(exponent + e.value);
    m.digits = digits;
    m.exponent = exponent;
    m.value = digits === "" ? 0 : Number((m.negative ? "-" : "") + digits + "e" + exponent);
    m.exact = true; // beyond the range of a double too
    return m;
  }

  // An exponent adds at most this many zeros; beyond, the exponent is
  // written after the digits ("2e1001"), as vorrak-data calc does.
  const WrittenZerosLimit = 1000;

  // (-)digits x 10^exponent with every digit, in plain decimal.
  function decimalText(negative, digits, exponent) {
    if (digits === 0n) return "0";
    const sign = negative ? "-" : "";
    if (exponent > WrittenZerosLimit) return sign + digits.toString() + "e" + exponent;
    if (exponent >= 0) return sign + digits.toString() + "0".repeat(exponent);
    const scale = 10n ** BigInt(-exponent);
    const fraction = (digits % scale).toString().padStart(-exponent, "0").replace(/0+$/, "");
    return sign + (digits / scale).toString() + (fraction ? "." + fraction : "");
  }

  // A double with every digit of its exact value; infinities and NaN as words.
  function doubleText(x) {
    if (Number.isNaN(x)) return "nan";
    if (!Number.isFinite(x)) return x < 0 ? "-inf" : "inf";
    if (Number.isInteger(x)) return BigInt(x).toString();
    let m = x;
    let k = 0;
    for (; !Number.isInteger(m); ++k) m *= 2;
    return decimalText(x < 0, BigInt(Math.abs(m)) * 5n ** BigInt(k), -k);
  }

  function amount(text, ql) {
    const m = typeof text === "string" ? parse(text) : text;
    if (m.value === 0) return "Fixed";
    if (!m.exact) {
      const x = m.value * ql;
      return doubleText(x > 0 ? Math.ceil(x) : x);
    }
    const negative = m.negative !== (ql < 0);
    const product = BigInt(m.digits) * BigInt(Math.abs(ql));
    const scale = m.exponent < 0 ? 10n ** BigInt(-m.exponent) : 1n;
    if (product % scale === 0n || negative) return decimalText(negative, product, m.exponent);
    return (product / scale + 1n).toString();
  }

  const wholeNumber = /^-?[0-9]+$/;
  function numberOf(text) {
    if (text === "inf") return Infinity;
    if (text === "-inf") return -Infinity;
    return Number(text);
  }
  // Whether a skill value (a whole number as text) reaches an amount.
  function reaches(value, amountText) {
    if (amountText === "Fixed") return true;
    if (wholeNumber.test(amountText)) return BigInt(value) >= BigInt(amountText);
    return numberOf(value) >= numberOf(amountText);
  }

  // The highest QL at which a skill value reaches the amounts of an exact,
  // positive multiplier: the value divided by the multiplier, rounded down
  // (the amount is the product rounded up, and the value is whole). null
  // for other multipliers.
  function limit(m, value) {
    if (!m.exact || m.negative || !(m.value > 0)) return null;
    let num = BigInt(value);
    let den = BigInt(m.digits);
    if (m.exponent >= 0) den *= 10n ** BigInt(m.exponent);
    else num *= 10n ** BigInt(-m.exponent);
    const q = num / den;
    return num % den !== 0n && num < 0n ? q - 1n : q;
  }

  // The order of two amount texts other than "Fixed"; "nan" is above all.
  function compare(a, b) {
    if (wholeNumber.test(a) && wholeNumber.test(b)) {
      const x = BigInt(a);
      const y = BigInt(b);
      return x < y ? -1 : x > y ? 1 : 0;
    }
    const x = numberOf(a);
    const y = numberOf(b);
    if (Number.isNaN(x) || Number.isNaN(y)) return Number.isNaN(x) === Number.isNaN(y) ? 0 : Number.isNaN(x) ? 1 : -1;
    return x < y ? -1 : x > y ? 1 : 0;
  }

  // How much a skill value must grow to reach an amount it does not reach.
  // For a negative amount with a fraction the least whole number reaching
  // it is its whole part; an infinity, "nan" or an amount written with its
  // exponent is given as it is.
  function missing(value, amountText) {
    if (wholeNumber.test(amountText)) return (BigInt(amountText) - BigInt(value)).toString();
    if (/^-[0-9]+\.[0-9]+$/.test(amountText)) return (BigInt(amountText.split(".")[0]) - BigInt(value)).toString();
    return amountText;
  }

  return { parse, amount, reaches, limit, compare, missing };
})();

// The data as the page holds it: every name and multiplier once, in a string
// table, and numbers into it elsewhere. The index of groups and processes is
// read at once, each group's requirements only when the group is first used.
// Everything else reads the data through these functions.
const Data = (() => {
  const index = JSON.parse(document.getElementById("vorrak-index").textContent);
  const text = i => index.strings[i];
  const blocks = [];
  function block(g) {
    if (!blocks[g]) blocks[g] = JSON.parse(document.getElementById("vorrak-group-" + g).textContent);
    return blocks[g];
  }
  const groupCount = () => index.groups.length;
  const groupName = g => text(index.groups[g][0]);
  const procCount = g => index.groups[g][1].length;
  // { name, lowest, highest, special }: the QLs it can be made at, as the
  // page was given them, and whether its Min QL equals its Max QL.
  function proc(g, p) {
    const [name, lowest, highest, special] = index.groups[g][1][p];
    return { name: text(name), lowest, highest, special: special === 1 };
  }
  // [{ name, multiplier, t }] in the order of the data; the group's block
  // holds them per process as flat triples.
  function reqs(g, p) {
    const triples = block(g)[p];
    const list = [];
    for (let i = 0; i < triples.length; i += 3) list.push({ name: text(triples[i]), multiplier: text(triples[i + 1]), t: triples[i + 2] });
    return list;
  }
  // [{ header, body }]
  const topics = () => index.topics;
  // Every skill name of the data, sorted.
  const skillNames = () => index.skills.map(text);
  return { groupCount, groupName, procCount, proc, reqs, topics, skillNames };
})();

function byName(a, b) {
  return a.name < b.name ? -1 : a.name > b.name ? 1 : 0;
}

function requirements(g, p, ql) {
  const items = [];
  const skills = [];
  for (const r of Data.reqs(g, p)) (r.t !== 0 ? skills : items).push({ name: r.name, amount: Amounts.amount(r.multiplier, ql) });
  items.sort(byName);
  skills.sort(byName);
  return { items, skills };
}

// Each multiplier text is read once, however many requirements have it.
const parsedMultiplier = (() => {
  const cache = new Map();
  return text => {
    let m = cache.get(text);
    if (m === undefined) cache.set(text, (m = Amounts.parse(text)));
    return m;
  };
})();

// The skills whose amount grows with the QL (a multiplier other than 0),
// each multiplier read once: the QLs of the range all use it.
function scalingSkills(g, p) {
  const reqs = [];
  for (const r of Data.reqs(g, p)) {
    if (r.t === 0) continue;
    const multiplier = parsedMultiplier(r.multiplier);
    if (multiplier.value !== 0) reqs.push({ name: r.name, multiplier });
  }
  return reqs;
}

const hasOwn = (object, key) => Object.prototype.hasOwnProperty.call(object, key);

// The highest QL a skill value allows for an exact, positive multiplier, as
// a number from -1 to 256 (QLs lie from 0 to 255); null for other
// multipliers. Each pair of multiplier and value is worked out once.
const qlLimit = (() => {
  const cache = new Map();
  return (m, value) => {
    let byValue = cache.get(m);
    if (byValue === undefined) cache.set(m, (byValue = new Map()));
    let l = byValue.get(value);
    if (l === undefined) {
      const big = Amounts.limit(m, value);
      l = big === null ? null : big < -1n ? -1 : big > 256n ? 256 : Number(big);
      byValue.set(value, l);
    }
    return l;
  };
})();

// skills: name -> whole number as text. Same answer as vorrak-data calc --skill.
function highestQl(g, p, skills) {
  const proc = Data.proc(g, p);
  const scaling = [];
  const unknown = [];
  for (const r of scalingSkills(g, p)) {
    if (hasOwn(skills, r.name)) scaling.push(r);
    else if (!unknown.includes(r.name)) unknown.push(r.name);
  }
  const unmet = ql => {
    const names = [];
    for (const r of scaling)
      if (!Amounts.reaches(skills[r.name], Amounts.amount(r.multiplier, ql)) && !names.includes(r.name)) names.push(r.name);
    return names;
  };
  const low = proc.lowest;
  // Exact positive multipliers answer at once: a skill is met at a QL
  // exactly when the QL is not above its limit. Others (falling amounts,
  // binary ones) are tried QL by QL from the top.
  const limits = scaling.map(r => qlLimit(r.multiplier, skills[r.name]));
  if (limits.every(l => l !== null)) {
    const unmetAt = ql => {
      const names = [];
      scaling.forEach((r, i) => { if (limits[i] < ql && !names.includes(r.name)) names.push(r.name); });
      return names;
    };
    let top = proc.highest;
    for (const l of limits) if (l < top) top = l;
    if (top >= low) return { highestQL: top, limitedBy: top < proc.highest ? unmetAt(top + 1) : [], unknown };
    return { highestQL: null, limitedBy: unmetAt(low), unknown };
  }
  let found = null;
  for (let ql = proc.highest; ql >= low && found === null; --ql) if (unmet(ql).length === 0) found = ql;
  if (found !== null) return { highestQL: found, limitedBy: found < proc.highest ? unmet(found + 1) : [], unknown };
  return { highestQL: null, limitedBy: unmet(low), unknown };
}

const qlRangeText = proc =>
  proc.lowest === proc.highest ? String(proc.highest) : proc.lowest + " to " + proc.highest;

// Every process: the highest QL the skill values allow, and for a process
// out of reach what each skill that stops it needs at the Min QL. Same
// answer as vorrak-data calc --can-make.
function canMake(skills) {
  const rows = [];
  for (let g = 0; g < Data.groupCount(); ++g) {
    for (let p = 0; p < Data.procCount(g); ++p) {
      const proc = Data.proc(g, p);
      const answer = highestQl(g, p, skills);
      const shortfalls = [];
      if (answer.highestQL === null) {
        const low = proc.lowest;
        const reqs = Data.reqs(g, p);
        for (const name of answer.limitedBy) {
          let needed = null;
          for (const r of reqs) {
            if (r.t === 0 || r.name !== name) continue;
            const amount = Amounts.amount(parsedMultiplier(r.multiplier), low);
            if (amount !== "Fixed" && (needed === null || Amounts.compare(amount, needed) > 0)) needed = amount;
          }
          shortfalls.push({ skill: name, needed, missing: Amounts.missing(skills[name], needed) });
        }
      }
      const limit = answer.highestQL === null ? shortfalls.map(s => s.skill + " " + s.needed + " (" + s.missing + " missing)").join(", ")
        : answer.limitedBy.length ? answer.limitedBy.join(", ") : "the process's highest QL";
      rows.push({ g, p, group: Data.groupName(g), process: proc.name, minQL: proc.lowest, range: qlRangeText(proc),
                  highestQL: answer.highestQL, limit, unknown: answer.unknown });
    }
  }
  return rows;
}

// products: [{ g, p, ql }]. The highest amount of each tool, item and skill
// any product needs, and which. Same answer as vorrak-data calc --plan.
function planNeeds(products) {
  const items = [];
  const skills = [];
  for (const product of products) {
    const label = "QL " + product.ql + " " + Data.proc(product.g, product.p).name;
    for (const r of Data.reqs(product.g, product.p)) {
      const list = r.t !== 0 ? skills : items;
      const amount = Amounts.amount(parsedMultiplier(r.multiplier), product.ql);
      const need = list.find(n => n.name === r.name);
      if (!need) {
        list.push({ name: r.name, amount, products: [label] });
        continue;
      }
      const fixed = amount === "Fixed";
      const neededFixed = need.amount === "Fixed";
      const order = fixed || neededFixed ? (fixed === neededFixed ? 0 : fixed ? -1 : 1) : Amounts.compare(amount, need.amount);
      if (order > 0) {
        need.amount = amount;
        need.products = [label];
      } else if (order === 0 && !need.products.includes(label)) {
        need.products.push(label);
      }
    }
  }
  items.sort(byName);
  skills.sort(byName);
  return { items, skills };
}

// The texts that Copy gives, as vorrak-data calc prints them. A field that a
// spreadsheet would take for a formula gets a leading apostrophe; tabs and
// line breaks in it become blanks.
const plainNumber = /^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$/;
function inertLineField(field) {
  field = field.replace(/[\t\n\r]/g, " ");
  return field !== "" && "=+-@".includes(field[0]) && !plainNumber.test(field) ? "'" + field : field;
}

function planText(needs) {
  let text = "";
  for (const [heading, list] of [["Tools/Items", needs.items], ["Skills", needs.skills]]) {
    if (list.length) text += heading + "\n";
    for (const need of list)
      text += [need.name, need.amount, need.products.join(", ")].map(inertLineField).join("\t") + "\n";
  }
  return text;
}

function requirementsText(product, ql, result) {
  let text = inertLineField(product) + "\t" + ql + "\n";
  for (const [heading, rows] of [["Tools/Items", result.items], ["Skills", result.skills]]) {
    if (rows.length) text += heading + "\n";
    for (const r of rows) text += inertLineField(r.name) + "\t" + inertLineField(r.amount) + "\n";
  }
  return text;
}

// The skill values a player typed, kept in the browser for this page when
// it lets the page keep them; the page works the same when it does not.
const Skills = (() => {
  const key = "vorrak-skills:" + location.pathname;
  // A whole number; no amount is longer than a multiplier's digits and a
  // thousand zeros, so a few thousand digits are enough.
  const valid = value => typeof value === "string" && /^-?[0-9]{1,2000}$/.test(value);
  let values = Object.create(null);
  try {
    const stored = JSON.parse(localStorage.getItem(key) || "{}");
    if (stored && typeof stored === "object" && !Array.isArray(stored))
      for (const [name, value] of Object.entries(stored)) if (valid(value)) values[name] = value;
  } catch (e) {
    values = Object.create(null);
  }
  function save() {
    try {
      localStorage.setItem(key, JSON.stringify(values));
    } catch (e) {
      // No storage here: the values last as long as the page.
    }
  }
  const get = name => (hasOwn(values, name) ? values[name] : "");
  function set(name, value) {
    if (value === "") delete values[name];
    else values[name] = value;
    save();
  }
  // Values from a link are shown, and kept only once the player types.
  function use(given) {
    values = Object.assign(Object.create(null), given);
  }
  function forget() {
    values = Object.create(null);
    try {
      localStorage.removeItem(key);
    } catch (e) {
      // Nothing was kept.
    }
  }
  // [[name, value]]
  const all = () => Object.entries(values);
  return { valid, get, set, use, forget, all };
})();

const Page = (() => {
  const $ = id => document.getElementById(id);
  const groupList = $("group");
  const processList = $("process");
  const qlSpin = $("ql");
  const MaxAddress = 20000;
  const MaxRows = 1000;

  // What the page shows, which its address holds.
  const state = { view: "calc", ql: null, highest: false, plan: [], canMade: false, sort: null, filterGroup: -1, search: "" };
  let canMakeRows = null;
  let allSkills = null;

  function option(list, text, value) {
    const o = document.createElement("option");
    o.textContent = text;
    o.value = String(value);
    list.appendChild(o);
  }

  function current() {
    const g = groupList.selectedIndex;
    const p = processList.selectedIndex;
    if (g < 0 || p < 0) return null;
    return { g, p, proc: Data.proc(g, p) };
  }

  function fillGroups() {
    for (let g = 0; g < Data.groupCount(); ++g) option(groupList, Data.groupName(g), g);
    groupList.disabled = Data.groupCount() <= 1;
    fillProcesses();
  }

  function fillProcesses() {
    processList.textContent = "";
    const g = groupList.selectedIndex;
    const count = g >= 0 ? Data.procCount(g) : 0;
    for (let p = 0; p < count; ++p) option(processList, Data.proc(g, p).name, p);
    processList.disabled = count <= 1;
    processChanged();
  }

  function processChanged() {
    const c = current();
    const low = c ? c.proc.lowest : 1;
    const high = c ? c.proc.highest : 1;
    qlSpin.min = String(low);
    qlSpin.max = String(high);
    qlSpin.value = String(low);
    const special = !!c && c.proc.special;
    qlSpin.disabled = !c || special || low === high;
    $("special").textContent = special ? "* Special * " : c ? "from " + low + " to " + high : "";
    fillSkillFields();
    clearResults();
  }

  function clearResults() {
    for (const id of ["items", "skills"]) $(id).tBodies[0].textContent = "";
    $("result-title").textContent = "";
    $("highest-result").textContent = "";
    $("show-highest").hidden = true;
    $("copy-result").disabled = true;
    $("add-to-plan").disabled = true;
    state.ql = null;
    state.highest = false;
  }

  function row(body, cells) {
    const tr = body.insertRow();
    for (const text of cells) tr.insertCell().textContent = text;
    return tr;
  }

  function go() {
    const c = current();
    if (!c) return;
    const low = c.proc.lowest;
    const ql = Number(qlSpin.value);
    if (!Number.isInteger(ql) || ql < low || ql > c.proc.highest) {
      clearResults();
      $("result-title").textContent = "The QL must be a whole number from " + low + " to " + c.proc.highest + ".";
      return;
    }
    const result = requirements(c.g, c.p, ql);
    clearResults();
    result.items.forEach(r => row($("items").tBodies[0], [r.name, r.amount]));
    result.skills.forEach(r => row($("skills").tBodies[0], [r.name, r.amount]));
    $("result-title").textContent = "QL " + ql + " " + c.proc.name;
    $("copy-result").disabled = false;
    $("add-to-plan").disabled = false;
    state.ql = ql;
  }

  // A field for a skill value, filled with what the player typed before.
  function skillField(name, id) {
    const field = document.createElement("div");
    field.className = "field";
    const label = document.createElement("label");
    label.htmlFor = id;
    label.textContent = name;
    const input = document.createElement("input");
    input.id = id;
    input.type = "text";
    input.inputMode = "numeric";
    input.pattern = "-?[0-9]+";
    input.dataset.skill = name;
    input.value = Skills.get(name);
    input.addEventListener("change", () => {
      const value = input.value.trim();
      if (value === "" || Skills.valid(value)) Skills.set(name, value);
    });
    field.append(label, input);
    return field;
  }

  function fillSkillFields() {
    const box = $("skill-fields");
    box.textContent = "";
    const c = current();
    if (!c) return;
    const names = [];
    for (const r of scalingSkills(c.g, c.p)) if (!names.includes(r.name)) names.push(r.name);
    names.forEach((name, i) => box.appendChild(skillField(name, "skill-" + i)));
  }

  // The values of a form's fields; null after it said which is not a number.
  function readSkills(box, out) {
    const skills = Object.create(null);
    for (const input of box.querySelectorAll("input")) {
      const value = input.value.trim();
      if (value === "") continue;
      if (!Skills.valid(value)) {
        out.textContent = "The value of " + input.dataset.skill + " must be a whole number.";
        input.focus();
        return null;
      }
      skills[input.dataset.skill] = value;
    }
    return skills;
  }

  function findHighest() {
    const c = current();
    if (!c) return;
    const out = $("highest-result");
    const skills = readSkills($("skill-fields"), out);
    if (!skills) return;
    const answer = highestQl(c.g, c.p, skills);
    let text = answer.highestQL === null ? "No QL from " + c.proc.lowest + " to " + c.proc.highest + " is within reach."
                                         : "Highest QL: " + answer.highestQL + ".";
    if (answer.limitedBy.length) text += " Limited by: " + answer.limitedBy.join(", ") + ".";
    else if (answer.highestQL !== null) text += " That is the process's highest QL.";
    if (answer.unknown.length) text += " Unknown, not taken into account: " + answer.unknown.join(", ") + ".";
    out.textContent = text;
    out.dataset.highestQl = answer.highestQL === null ? "" : String(answer.highestQL);
    out.dataset.limitedBy = JSON.stringify(answer.limitedBy);
    out.dataset.unknown = JSON.stringify(answer.unknown);
    const show = $("show-highest");
    show.hidden = answer.highestQL === null;
    show.textContent = "Show QL " + answer.highestQL;
    state.highest = true;
  }

  function showHighest() {
    const ql = $("highest-result").dataset.highestQl;
    if (!ql) return;
    qlSpin.value = ql;
    go();
    findHighest();
    record();
  }

  function forgetSkills() {
    Skills.forget();
    for (const input of document.querySelectorAll("#skill-fields input, #all-skill-fields input")) input.value = "";
  }

  // "What can I make": a field for every skill of the data.
  function fillAllSkillFields() {
    if (allSkills) return;
    allSkills = Data.skillNames();
    const box = $("all-skill-fields");
    allSkills.forEach((name, i) => box.appendChild(skillField(name, "all-skill-" + i)));
    const groups = $("can-make-group");
    for (let g = 0; g < Data.groupCount(); ++g) option(groups, Data.groupName(g), g);
  }

  function runCanMake() {
    fillAllSkillFields();
    const out = $("can-make-unknown");
    const skills = readSkills($("all-skill-fields"), out);
    if (!skills) return false;
    canMakeRows = canMake(skills);
    const unknown = new Set();
    for (const r of canMakeRows) for (const name of r.unknown) unknown.add(name);
    const names = [...unknown].sort((a, b) => (a < b ? -1 : a > b ? 1 : 0));
    out.textContent = names.length ? "Unknown, not taken into account: " + names.join(", ") : "";
    state.canMade = true;
    showCanMake();
    return true;
  }

  const canMakeCells = r => [r.group, r.process, r.range, r.highestQL === null ? "none" : String(r.highestQL), r.limit];

  function showCanMake() {
    const body = $("can-make").tBodies[0];
    body.textContent = "";
    document.querySelectorAll("#can-make th").forEach((th, i) =>
      th.setAttribute("aria-sort", state.sort && state.sort.column === i ? (state.sort.descending ? "descending" : "ascending") : "none"));
    if (!canMakeRows) return;
    const search = state.search.toLowerCase();
    let rows = canMakeRows.filter(r => (state.filterGroup < 0 || r.g === state.filterGroup)
                                       && (search === "" || r.process.toLowerCase().includes(search) || r.group.toLowerCase().includes(search)));
    if (state.sort) {
      const column = state.sort.column;
      const key = r => (column === 2 ? r.minQL : column === 3 ? (r.highestQL === null ? -1 : r.highestQL) : canMakeCells(r)[column]);
      const sign = state.sort.descending ? -1 : 1;
      rows = rows.map(r => [key(r), r]).sort((a, b) => sign * (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0)).map(e => e[1]);
    }
    // A phone draws a few thousand rows quickly, not a hundred thousand.
    $("can-make-more").textContent = rows.length > MaxRows
      ? "Showing the first " + MaxRows + " of " + rows.length + " processes: choose a group, search or sort to see others." : "";
    const fragment = document.createDocumentFragment();
    for (const r of rows.slice(0, MaxRows)) {
      const tr = document.createElement("tr");
      for (const text of canMakeCells(r)) tr.insertCell().textContent = text;
      if (r.highestQL === null) tr.className = "out-of-reach";
      tr.tabIndex = 0;
      tr.title = "Show this process at QL " + (r.highestQL === null ? r.minQL : r.highestQL);
      const open = () => openProcess(r.g, r.p, r.highestQL === null ? r.minQL : r.highestQL);
      tr.addEventListener("click", open);
      tr.addEventListener("keydown", e => { if (e.key === "Enter") open(); });
      fragment.appendChild(tr);
    }
    body.appendChild(fragment);
  }

  function sortBy(column) {
    state.sort = state.sort && state.sort.column === column ? { column, descending: !state.sort.descending } : { column, descending: false };
    showCanMake();
    record();
  }

  function select(g, p) {
    groupList.selectedIndex = g;
    fillProcesses();
    processList.selectedIndex = p;
    processChanged();
  }

  function openProcess(g, p, ql) {
    select(g, p);
    qlSpin.value = String(ql);
    go();
    showView("calc");
    record();
  }

  // The plan: products at their QLs, and what they need together.
  function addToPlan() {
    const c = current();
    if (!c || state.ql === null) return;
    const same = state.plan.find(e => e.g === c.g && e.p === c.p);
    if (same) same.ql = state.ql;
    else state.plan.push({ g: c.g, p: c.p, ql: state.ql });
    showPlan();
    $("add-to-plan").textContent = "Added to plan";
    setTimeout(() => { $("add-to-plan").textContent = "Add to plan"; }, 1500);
    record();
  }

  function showPlan() {
    $("plan-count").textContent = state.plan.length ? "(" + state.plan.length + ")" : "";
    $("plan-empty").hidden = state.plan.length > 0;
    const body = $("plan-products").tBodies[0];
    body.textContent = "";
    state.plan.forEach((entry, i) => {
      const proc = Data.proc(entry.g, entry.p);
      const tr = row(body, [Data.groupName(entry.g) + " – " + proc.name]);
      const input = document.createElement("input");
      input.type = "number";
      input.min = String(proc.lowest);
      input.max = String(proc.highest);
      input.value = String(entry.ql);
      input.disabled = proc.lowest === proc.highest;
      input.setAttribute("aria-label", "QL of " + proc.name);
      input.addEventListener("change", () => {
        const ql = Number(input.value);
        if (Number.isInteger(ql) && ql >= proc.lowest && ql <= proc.highest) entry.ql = ql;
        showPlan();
        record();
      });
      tr.insertCell().appendChild(input);
      const remove = document.createElement("button");
      remove.type = "button";
      remove.textContent = "Remove";
      remove.addEventListener("click", () => {
        state.plan.splice(i, 1);
        showPlan();
        record();
      });
      tr.insertCell().appendChild(remove);
    });
    const needs = planNeeds(state.plan);
    for (const [id, list] of [["plan-items", needs.items], ["plan-skills", needs.skills]]) {
      const needBody = $(id).tBodies[0];
      needBody.textContent = "";
      for (const need of list) row(needBody, [need.name, need.amount, need.products.join(", ")]);
    }
    $("copy-plan").disabled = state.plan.length === 0;
    return needs;
  }

  function copy(text, button) {
    const done = () => {
      const label = button.textContent;
      button.textContent = "Copied";
      setTimeout(() => { button.textContent = label; }, 1500);
    };
    const fallback = () => {
      const area = document.createElement("textarea");
      area.value = text;
      document.body.appendChild(area);
      area.select();
      try {
        document.execCommand("copy");
        done();
      } catch (e) {
        // Nothing more to try.
      }
      area.remove();
    };
    if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(text).then(done, fallback);
    else fallback();
  }

  function copyResult() {
    const c = current();
    if (!c || state.ql === null) return;
    copy(requirementsText(c.proc.name, state.ql, requirements(c.g, c.p, state.ql)), $("copy-result"));
  }

  function showView(view) {
    state.view = view;
    for (const name of ["calc", "can-make", "plan"]) {
      $(name + "-view").hidden = name !== view;
      $("view-" + name).setAttribute("aria-current", String(name === view));
    }
    if (view === "can-make") fillAllSkillFields();
    if (view === "plan") showPlan();
  }

  function title() {
    const c = current();
    if (state.view === "calc" && c && state.ql !== null) return "QL " + state.ql + " " + c.proc.name + " – Vorrak";
    if (state.view === "can-make") return "What can I make – Vorrak";
    if (state.view === "plan") return "Plan – Vorrak";
    return "Vorrak";
  }

  // The address: names, not positions, so that a link still opens in a page
  // made from later data. Every separator the address uses is escaped
  // inside names; "~2" marks the second of several with one name.
  const escape = text => encodeURIComponent(text).replace(/[~!'()*]/g, c => "%" + c.charCodeAt(0).toString(16).toUpperCase());
  function nameRef(names, index) {
    let n = 0;
    for (let i = 0; i <= index; ++i) if (names(i) === names(index)) ++n;
    return escape(names(index)) + (n > 1 ? "~" + n : "");
  }
  function findRef(count, names, ref) {
    const match = /^([^~]*)(?:~([1-9][0-9]{0,5}))?$/.exec(ref);
    if (!match) return -1;
    const name = decodeURIComponent(match[1]);
    let n = match[2] ? Number(match[2]) : 1;
    for (let i = 0; i < count; ++i) if (names(i) === name && --n === 0) return i;
    return -1;
  }
  const groupRef = g => nameRef(Data.groupName, g);
  const procRef = (g, p) => nameRef(i => Data.proc(g, i).name, p);
  const findGroup = ref => findRef(Data.groupCount(), Data.groupName, ref);
  const findProc = (g, ref) => findRef(Data.procCount(g), i => Data.proc(g, i).name, ref);

  function address() {
    const parts = [];
    if (state.view !== "calc") parts.push("view=" + state.view);
    const c = current();
    if (c) {
      parts.push("g=" + groupRef(c.g), "p=" + procRef(c.g, c.p));
      if (state.ql !== null) parts.push("ql=" + state.ql);
      if (state.highest) parts.push("highest=1");
    }
    const skills = Skills.all().map(([name, value]) => escape(name) + ":" + value);
    if (skills.length) parts.push("skills=" + skills.join(","));
    if (state.plan.length) parts.push("plan=" + state.plan.map(e => [groupRef(e.g), procRef(e.g, e.p), e.ql].join(",")).join(";"));
    if (state.canMade) parts.push("table=1");
    if (state.sort) parts.push("sort=" + state.sort.column + (state.sort.descending ? "d" : "a"));
    if (state.filterGroup >= 0) parts.push("group=" + groupRef(state.filterGroup));
    if (state.search) parts.push("search=" + escape(state.search));
    return parts.length ? "#" + parts.join("&") : "";
  }

  function record(replace) {
    document.title = title();
    const hash = address();
    if (hash === location.hash || (hash === "" && location.hash === "")) return;
    const url = location.pathname + location.search + hash;
    if (replace) history.replaceState(null, "", url);
    else history.pushState(null, "", url);
  }

  const qlText = /^[0-9]{1,3}$/;
  const inRange = (proc, ql) => ql >= proc.lowest && ql <= proc.highest;

  // What an address asks for; null when anything in it is not understood
  // or names what this page does not have.
  function parseAddress(hash) {
    if (hash.length > MaxAddress) return null;
    const wanted = { view: "calc", g: -1, p: -1, ql: null, highest: false, skills: null, plan: [], canMade: false,
                     sort: null, filterGroup: -1, search: "" };
    const seen = new Set();
    try {
      for (const part of hash.replace(/^#/, "").split("&")) {
        if (part === "") continue;
        const match = /^([a-z]+)=(.*)$/.exec(part);
        if (!match || seen.has(match[1])) return null;
        seen.add(match[1]);
        const [, key, value] = match;
        if (key === "view") {
          if (!["calc", "can-make", "plan"].includes(value)) return null;
          wanted.view = value;
        } else if (key === "g") {
          wanted.g = findGroup(value);
          if (wanted.g < 0) return null;
        } else if (key === "p") {
          if (wanted.g < 0 || (wanted.p = findProc(wanted.g, value)) < 0) return null;
        } else if (key === "ql") {
          if (wanted.p < 0 || !qlText.test(value) || !inRange(Data.proc(wanted.g, wanted.p), Number(value))) return null;
          wanted.ql = Number(value);
        } else if (key === "highest" && value === "1") {
          wanted.highest = true;
        } else if (key === "skills") {
          wanted.skills = Object.create(null);
          for (const pair of value.split(",")) {
            const at = pair.lastIndexOf(":");
            const name = decodeURIComponent(pair.slice(0, at));
            const number = pair.slice(at + 1);
            if (at <= 0 || !Skills.valid(number) || hasOwn(wanted.skills, name)) return null;
            wanted.skills[name] = number;
          }
        } else if (key === "plan") {
          for (const entry of value.split(";")) {
            const fields = entry.split(",");
            if (fields.length !== 3 || wanted.plan.length >= 100) return null;
            const g = findGroup(fields[0]);
            const p = g < 0 ? -1 : findProc(g, fields[1]);
            if (p < 0 || !qlText.test(fields[2]) || !inRange(Data.proc(g, p), Number(fields[2]))) return null;
            wanted.plan.push({ g, p, ql: Number(fields[2]) });
          }
        } else if (key === "table" && value === "1") {
          wanted.canMade = true;
        } else if (key === "sort") {
          const sort = /^([0-4])([ad])$/.exec(value);
          if (!sort) return null;
          wanted.sort = { column: Number(sort[1]), descending: sort[2] === "d" };
        } else if (key === "group") {
          if ((wanted.filterGroup = findGroup(value)) < 0) return null;
        } else if (key === "search") {
          wanted.search = decodeURIComponent(value);
          if (wanted.search.length > 200) return null;
        } else {
          return null;
        }
      }
    } catch (e) {
      return null; // a broken escape
    }
    if ((wanted.p < 0) !== (wanted.g < 0) || (wanted.highest && wanted.p < 0)) return null;
    return wanted;
  }

  function notice(text) {
    $("notice").textContent = text;
    $("notice").hidden = !text;
  }

  // Shows what the address asks for, without adding a step to the history.
  function followAddress() {
    const wanted = parseAddress(location.hash);
    notice("");
    if (!wanted) {
      notice("This link names what this page does not have, or is not a link of this page; it was ignored.");
      history.replaceState(null, "", location.pathname + location.search);
      Object.assign(state, { view: "calc", plan: [], canMade: false, sort: null, filterGroup: -1, search: "" });
      canMakeRows = null;
      select(Data.groupCount() ? 0 : -1, 0);
      showPlan();
      showView("calc");
      document.title = title();
      return;
    }
    if (wanted.skills) Skills.use(wanted.skills);
    state.plan = wanted.plan;
    state.sort = wanted.sort;
    state.filterGroup = wanted.filterGroup;
    state.search = wanted.search;
    select(wanted.g >= 0 ? wanted.g : Data.groupCount() ? 0 : -1, Math.max(wanted.p, 0));
    if (wanted.ql !== null) {
      qlSpin.value = String(wanted.ql);
      go();
    }
    if (wanted.highest) findHighest();
    showView(wanted.view);
    if (allSkills) for (const input of $("all-skill-fields").querySelectorAll("input")) input.value = Skills.get(input.dataset.skill);
    $("can-make-group").value = wanted.filterGroup >= 0 ? String(wanted.filterGroup) : "";
    $("can-make-search").value = wanted.search;
    state.canMade = false;
    canMakeRows = null;
    if (wanted.canMade) {
      fillAllSkillFields();
      runCanMake();
    } else {
      showCanMake();
    }
    showPlan();
    document.title = title();
  }

  // The bodies were cut down to formatting tags when the page was made.
  function fillTopics() {
    const list = $("topics");
    const buttons = [];
    Data.topics().forEach(topic => {
      const item = document.createElement("li");
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = topic.header;
      button.addEventListener("click", () => {
        buttons.forEach(b => b.removeAttribute("aria-current"));
        button.setAttribute("aria-current", "true");
        $("help-body").innerHTML = topic.body;
      });
      buttons.push(button);
      item.appendChild(button);
      list.appendChild(item);
    });
    if (buttons.length) buttons[0].click();
    else $("help-title").parentElement.hidden = true;
  }

  function start() {
    groupList.addEventListener("change", () => { fillProcesses(); record(); });
    processList.addEventListener("change", () => { processChanged(); record(); });
    $("calc-form").addEventListener("submit", e => { e.preventDefault(); go(); record(); });
    $("highest-form").addEventListener("submit", e => { e.preventDefault(); findHighest(); record(); });
    $("show-highest").addEventListener("click", showHighest);
    $("forget-skills").addEventListener("click", () => { forgetSkills(); record(); });
    $("forget-all-skills").addEventListener("click", () => { forgetSkills(); record(); });
    $("copy-result").addEventListener("click", copyResult);
    $("add-to-plan").addEventListener("click", addToPlan);
    $("copy-plan").addEventListener("click", () => copy(planText(planNeeds(state.plan)), $("copy-plan")));
    $("copy-link").addEventListener("click", () => { record(true); copy(location.href, $("copy-link")); });
    $("can-make-form").addEventListener("submit", e => { e.preventDefault(); if (runCanMake()) record(); });
    $("can-make-group").addEventListener("change", () => {
      state.filterGroup = $("can-make-group").value === "" ? -1 : Number($("can-make-group").value);
      showCanMake();
      record();
    });
    $("can-make-search").addEventListener("input", () => {
      state.search = $("can-make-search").value;
      showCanMake();
      record(true);
    });
    document.querySelectorAll("#can-make th button").forEach(b => b.addEventListener("click", () => sortBy(Number(b.dataset.sort))));
    document.querySelectorAll(".views button[data-view]").forEach(b =>
      b.addEventListener("click", () => { showView(b.dataset.view); record(); }));
    window.addEventListener("popstate", followAddress);
    fillGroups();
    fillTopics();
    followAddress();
  }
  return { start };
})();

Page.start();
