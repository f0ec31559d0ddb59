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

  return { parse, amount, reaches };
})();

// The processes' requirements: the index of groups and processes is read at
// once, each group's requirements only when the group is first used.
const Data = (() => {
  const index = JSON.parse(document.getElementById("vorrak-index").textContent);
  const groups = [];
  function group(g) {
    if (!groups[g]) groups[g] = JSON.parse(document.getElementById("vorrak-group-" + g).textContent);
    return groups[g];
  }
  const lowestQl = p => Math.min(p.minQL, p.maxQL);
  // reqs: [name, multiplier, t] in the order of the data.
  const reqs = (g, p) => group(g)[p].map(([name, multiplier, t]) => ({ name, multiplier, t }));
  return { index, reqs, lowestQl };
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

// The skills whose amount grows with the QL (a multiplier other than 0),
// each multiplier read once: the QLs of the range all use it.
function scalingSkills(g, p) {
  const reqs = [];
  for (const r of Data.reqs(g, p)) {
    if (r.t === 0) continue;
    const multiplier = Amounts.parse(r.multiplier);
    if (multiplier.value !== 0) reqs.push({ name: r.name, multiplier });
  }
  return reqs;
}

// skills: name -> whole number as text. Same answer as vorrak-data calc --skill.
function highestQl(g, p, skills) {
  const proc = Data.index.groups[g].procs[p];
  const scaling = [];
  const unknown = [];
  for (const r of scalingSkills(g, p)) {
    if (Object.prototype.hasOwnProperty.call(skills, r.name)) scaling.push(r);
    else if (!unknown.includes(r.name)) unknown.push(r.name);
  }
  const unmet = ql => {
    const names = [];
    for (const r of scaling)
      if (!Amounts.reaches(skills[r.name], Amounts.amount(r.multiplier, ql)) && !names.includes(r.name)) names.push(r.name);
    return names;
  };
  const low = Data.lowestQl(proc);
  for (let ql = proc.maxQL; ql >= low; --ql) {
    if (unmet(ql).length === 0) return { highestQL: ql, limitedBy: ql < proc.maxQL ? unmet(ql + 1) : [], unknown };
  }
  return { highestQL: null, limitedBy: unmet(low), unknown };
}

const Page = (() => {
  const $ = id => document.getElementById(id);
  const groupList = $("group");
  const processList = $("process");
  const qlSpin = $("ql");

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
    return { g, p, proc: Data.index.groups[g].procs[p] };
  }

  function fillGroups() {
    Data.index.groups.forEach((group, g) => option(groupList, group.name, g));
    groupList.disabled = Data.index.groups.length <= 1;
    fillProcesses();
  }

  function fillProcesses() {
    processList.textContent = "";
    const group = Data.index.groups[groupList.selectedIndex];
    if (group) group.procs.forEach((proc, p) => option(processList, proc.name, p));
    processList.disabled = !group || group.procs.length <= 1;
    processChanged();
  }

  function processChanged() {
    const c = current();
    const low = c ? Data.lowestQl(c.proc) : 1;
    const high = c ? c.proc.maxQL : 1;
    qlSpin.min = String(low);
    qlSpin.max = String(high);
    qlSpin.value = String(low);
    const special = !!c && c.proc.minQL === c.proc.maxQL;
    qlSpin.disabled = !c || special || low === high;
    $("special").textContent = special ? "* Special * " : c ? "from " + low + " to " + high : "";
    fillSkillFields();
    clearResults();
  }

  function clearResults() {
    for (const id of ["items", "skills"]) $(id).tBodies[0].textContent = "";
    $("result-title").textContent = "";
    $("highest-result").textContent = "";
  }

  function row(body, r) {
    const tr = body.insertRow();
    tr.insertCell().textContent = r.name;
    tr.insertCell().textContent = r.amount;
  }

  function go() {
    const c = current();
    if (!c) return;
    const low = Data.lowestQl(c.proc);
    const ql = Number(qlSpin.value);
    if (!Number.isInteger(ql) || ql < low || ql > c.proc.maxQL) {
      clearResults();
      $("result-title").textContent = "The QL must be a whole number from " + low + " to " + c.proc.maxQL + ".";
      return;
    }
    const result = requirements(c.g, c.p, ql);
    clearResults();
    result.items.forEach(r => row($("items").tBodies[0], r));
    result.skills.forEach(r => row($("skills").tBodies[0], r));
    $("result-title").textContent = "QL " + ql + " " + c.proc.name;
  }

  function fillSkillFields() {
    const box = $("skill-fields");
    box.textContent = "";
    const c = current();
    if (!c) return;
    const names = [];
    for (const r of scalingSkills(c.g, c.p)) if (!names.includes(r.name)) names.push(r.name);
    names.forEach((name, i) => {
      const field = document.createElement("div");
      field.className = "field";
      const label = document.createElement("label");
      label.htmlFor = "skill-" + i;
      label.textContent = name;
      const input = document.createElement("input");
      input.id = "skill-" + i;
      input.type = "text";
      input.inputMode = "numeric";
      input.pattern = "-?[0-9]+";
      input.dataset.skill = name;
      field.append(label, input);
      box.appendChild(field);
    });
  }

  function findHighest() {
    const c = current();
    if (!c) return;
    const out = $("highest-result");
    const skills = {};
    for (const input of $("skill-fields").querySelectorAll("input")) {
      const value = input.value.trim();
      if (value === "") continue;
      if (!/^-?[0-9]+$/.test(value)) {
        out.textContent = "The value of " + input.dataset.skill + " must be a whole number.";
        input.focus();
        return;
      }
      skills[input.dataset.skill] = value;
    }
    const answer = highestQl(c.g, c.p, skills);
    let text = answer.highestQL === null ? "No QL from " + Data.lowestQl(c.proc) + " to " + c.proc.maxQL + " is within reach."
                                         : "Highest QL: " + answer.highestQL + ".";
    if (answer.limitedBy.length) text += " Limited by: " + answer.limitedBy.join(", ") + ".";
    else if (answer.highestQL !== null) text += " That is the process's highest QL.";
    if (answer.unknown.length) text += " Unknown, not taken into account: " + answer.unknown.join(", ") + ".";
    out.textContent = text;
    out.dataset.highestQl = answer.highestQL === null ? "" : String(answer.highestQL);
    out.dataset.limitedBy = JSON.stringify(answer.limitedBy);
    out.dataset.unknown = JSON.stringify(answer.unknown);
  }

  // The bodies were cut down to formatting tags when the page was made.
  function fillTopics() {
    const list = $("topics");
    const buttons = [];
    Data.index.topics.forEach((topic, i) => {
      const item = document.createElement("li");
      const button = document.createElement("button");
      button.type = "button";
      button.textContent = topic.header;
      button.addEventListener("click", () => {
        buttons.forEach(b => b.removeAttribute("aria-current"));
        button.setAttribute("aria-current", "true");
        $("help-body").innerHTML = Data.index.topics[i].body;
      });
      buttons.push(button);
      item.appendChild(button);
      list.appendChild(item);
    });
    if (buttons.length) buttons[0].click();
    else $("help-title").parentElement.hidden = true;
  }

  function start() {
    groupList.addEventListener("change", fillProcesses);
    processList.addEventListener("change", processChanged);
    $("calc-form").addEventListener("submit", e => { e.preventDefault(); go(); });
    $("highest-form").addEventListener("submit", e => { e.preventDefault(); findHighest(); });
    fillGroups();
    fillTopics();
  }
  return { start };
})();

Page.start();
