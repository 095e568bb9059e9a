// SPDX-License-Identifier: GPL-3.0-or-later
// Perpetual calendar: solar and lunar dates 1900-2049, festivals, solar terms, the user's tasks. Hosted by the
// program, it talks to it through wb:// links; opened in an ordinary browser it shows demonstration tasks.
"use strict";

var FIRST_YEAR = 1900, LAST_YEAR = 2049;
var STEMS = "甲乙丙丁戊己庚辛壬癸";
var BRANCHES = "子丑寅卯辰巳午未申酉戌亥";
var ANIMALS = "鼠牛虎兔龙蛇马羊猴鸡狗猪";
var WEEKDAYS = "日一二三四五六";
var MONTH_NAMES = ["正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "冬", "腊"];
var DAY_TENS = ["初", "十", "廿", "三"];
// The host sets window.TW_LANG before the scripts run. In English only the page's own words change: the lunar
// months and days, solar terms, festivals and sexagenary names are what the calendar shows.
var ENGLISH = window.TW_LANG === "en";
var EN_WEEKDAYS = ["Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"];
function weekdayName(i) { return ENGLISH ? EN_WEEKDAYS[i] : "星期" + WEEKDAYS.charAt(i); }
var DIGITS = "一二三四五六七八九十";
var TERM_NAMES = ["小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
  "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"];

// Festival entries: two-digit month, two-digit day, a marker ("*" paints the day red, "#" is a task) and the name.
// Month "00" means every month; a negative day counts from the month's end.
var sFtv = ["0101*元旦", "0214 情人节", "0308 妇女节", "0312 植树节", "0315 消费者权益日", "0401 愚人节",
  "0422 地球日", "0501*劳动节", "0504 青年节", "0512 护士节", "0601 儿童节", "0605 环境日", "0701 建党节",
  "0801 建军节", "0910 教师节", "1001*国庆节", "1024 联合国日", "1201 艾滋病日", "1224 平安夜", "1225 圣诞节"];
// Lunar festivals; day "00" of month "01" is the last day of the year before.
var lFtv = ["0101*春节", "0115 元宵节", "0505 端午节", "0707 七夕", "0715 中元节", "0815 中秋节", "0909 重阳节",
  "1208 腊八节", "1223 小年", "0100*除夕"];
// Weekday festivals: month, week of the month (1-5; 0 = every week), weekday (0 = Sunday). Month "00" = every month.
var wFtv = ["0520 母亲节", "0630 父亲节", "1144 感恩节(Thanksgiving)"];
// One-off task entries: yyyymmdd, marker, name.
var oFtv = [];
var BASE_FESTIVALS = { s: sFtv.length, l: lFtv.length, w: wFtv.length };

var hideTasks = false;
var curYear = 0, curMonth = 0;

// ---- Lunar arithmetic (the same table and rules as the program's converter) ----

function leapMonth(y) { return LUNAR_INFO[y - FIRST_YEAR] & 0xf; }
function leapDays(y) { return leapMonth(y) ? ((LUNAR_INFO[y - FIRST_YEAR] & 0x10000) ? 30 : 29) : 0; }
function monthDays(y, m) { return (LUNAR_INFO[y - FIRST_YEAR] & (0x10000 >> m)) ? 30 : 29; }
function yearDays(y) {
  var sum = 0;
  for (var m = 1; m <= 12; m++) sum += monthDays(y, m);
  return sum + leapDays(y);
}

var DAY_MS = 86400000;
function dayNumber(y, m, d) { return Math.round(Date.UTC(y, m - 1, d) / DAY_MS); }
var LUNAR_EPOCH = dayNumber(1900, 1, 30);  // the day before lunar 1900-01-01
var LUNAR_END = dayNumber(2050, 1, 22);  // the last day of lunar 2049

// Lunar date of a solar day: {year, month, day, leap, size (29 or 30)}, or null outside the table.
function toLunar(y, m, d) {
  var k = dayNumber(y, m, d) - LUNAR_EPOCH;
  if (k < 1 || k > LUNAR_END - LUNAR_EPOCH) return null;
  var ly = FIRST_YEAR;
  while (k - yearDays(ly) >= 1) { k -= yearDays(ly); ly++; }
  var leap = leapMonth(ly), isLeap = false, len = 0, i;
  for (i = 1; i <= 12; i++) {
    if (leap > 0 && i === leap + 1 && !isLeap) {
      i--;
      isLeap = true;
      len = leapDays(ly);
    } else {
      isLeap = false;
      len = monthDays(ly, i);
    }
    if (k - len < 1) break;
    k -= len;
  }
  return { year: ly, month: i, day: k, leap: isLeap, size: len };
}

function lunarDayName(d) {
  if (d === 10) return "初十";
  if (d === 20) return "二十";
  if (d === 30) return "三十";
  return DAY_TENS[Math.floor(d / 10)] + DIGITS.charAt((d - 1) % 10);
}
function lunarMonthName(l) { return (l.leap ? "闰" : "") + MONTH_NAMES[l.month - 1] + "月"; }
// What a cell shows on the first day of a lunar month: "闰四月小", "正月大".
function lunarMonthText(l) { return lunarMonthName(l) + (l.size === 30 ? "大" : "小"); }

function cyclical(n) { n = ((n % 60) + 60) % 60; return STEMS.charAt(n % 10) + BRANCHES.charAt(n % 12); }
function yearName(ly) { return cyclical(ly - 4) + "年【" + ANIMALS.charAt(((ly - 4) % 12 + 12) % 12) + "年】"; }

// ---- Solar terms ----

// Day of month of term i (0 = 小寒) in solar year y; 0 outside the table.
function termDay(y, i) {
  if (y < FIRST_YEAR || y > LAST_YEAR) return 0;
  return TERM_BASE[i] + (TERM_DAYS[y - FIRST_YEAR].charCodeAt(i) - 48);
}
function termOf(y, m, d) {
  for (var i = 2 * (m - 1); i < 2 * m; i++) if (termDay(y, i) === d) return TERM_NAMES[i];
  return "";
}

// Sexagenary year, month and day of a solar day: the year turns at 立春, the month at each odd term (节).
function pillars(y, m, d) {
  var before = d < termDay(y, 2 * (m - 1));
  var year = y - ((m < 2 || (m === 2 && before)) ? 1 : 0);
  var month = 14 + (y - 1900) * 12 + m - 2 - (before ? 1 : 0);  // 1900's first month is 戊寅 (14)
  var day = 10 + dayNumber(y, m, d) - dayNumber(1900, 1, 1);  // 1900-01-01 was a 甲戌 day (10)
  return cyclical(year - 4) + "年 " + cyclical(month) + "月 " + cyclical(day) + "日";
}

// ---- Festivals and task marks ----

function pad2(n) { return (n < 10 ? "0" : "") + n; }

// Entries of `list` that fall on month m, day d of a month of `size` days.
function matchDays(list, m, d, size, skipTasks, out) {
  for (var i = 0; i < list.length; i++) {
    var e = parseEntry(list[i]);
    if (!e || (e.mark === "#" && skipTasks) || (e.m !== 0 && e.m !== m)) continue;
    if (e.d === d || (e.d < 0 && size + e.d + 1 === d)) out.push(list[i]);
  }
}

// "0815 中秋节" -> {m: 8, d: 15, mark: " ", name: "中秋节"}; a monthly day from the end reads "00-1#...".
function parseEntry(e) {
  var r = /^(\d\d)(-?\d\d?)([ *#])([\s\S]*)$/.exec(e);
  return r ? { m: +r[1], d: +r[2], mark: r[3], name: r[4] } : null;
}

// All entries for one solar day: {sol: [...], lun: [...], week: [...], term: "..."}.
function festivalsOf(y, m, d, l) {
  var res = { sol: [], lun: [], week: [], term: termOf(y, m, d) };
  var size = new Date(y, m, 0).getDate();
  matchDays(sFtv, m, d, size, hideTasks, res.sol);
  var key = "" + y + pad2(m) + pad2(d);
  for (var i = 0; i < oFtv.length; i++)
    if (!hideTasks && oFtv[i].substr(0, 8) === key) res.sol.push(oFtv[i].substr(4));
  if (l) {
    var lun = [];
    matchDays(lFtv, l.month, l.day, l.size, hideTasks, lun);
    for (i = 0; i < lun.length; i++) {
      // Traditional festivals are not kept in a leap month; a task's lunar rule also matches the leap month.
      if (isTask(lun[i]) || !l.leap) res.lun.push(lun[i]);
    }
    // 除夕: the last day of the twelfth month, or of a leap twelfth month when the year has one.
    if (l.month === 12 && l.day === l.size && (l.leap || leapMonth(l.year) !== 12)) {
      for (i = 0; i < lFtv.length; i++) if (lFtv[i].substr(0, 4) === "0100") res.lun.push(lFtv[i]);
    }
  }
  var wd = new Date(y, m - 1, d).getDay(), week = Math.floor((d - 1) / 7) + 1;
  for (i = 0; i < wFtv.length; i++) {
    var e = wFtv[i], em = parseInt(e.substr(0, 2), 10), ew = parseInt(e.charAt(2), 10);
    if (e.charAt(4) === "#" && hideTasks) continue;
    if ((em === 0 || em === m) && (ew === 0 || ew === week) && parseInt(e.charAt(3), 10) === wd) res.week.push(e);
  }
  return res;
}

function isTask(e) { var p = parseEntry(e); return !!p && p.mark === "#"; }
function nameOf(e) { var p = parseEntry(e); return p ? p.name : ""; }

// Turns the program's task list [[key, dateText, title], ...] into festival-style entries marked "#".
function CB_gettasks(data) {
  sFtv.length = BASE_FESTIVALS.s;
  lFtv.length = BASE_FESTIVALS.l;
  wFtv.length = BASE_FESTIVALS.w;
  oFtv.length = 0;
  if (data && data.length) {
    for (var i = 0; i < data.length; i++) addTask(data[i]);
  }
  drawMonth();
}

function addTask(t) {
  if (!t || t.length < 3) return;
  var key = String(t[0]), text = String(t[1]).replace(/\s+/g, " ").trim();
  var name = "#" + key + "-" + String(t[2]).replace(/[\r\n]+/g, " ");
  var r, parts, i;
  if ((r = /^(农历)?每年([0-9,-]+)/.exec(text))) {
    parts = r[2].split(",");
    for (i = 0; i < parts.length; i++) {
      var md = /^(\d{1,2})-(\d{1,2})$/.exec(parts[i]);
      if (md) (r[1] ? lFtv : sFtv).push(pad2(+md[1]) + pad2(+md[2]) + name);
    }
  } else if ((r = /^(农历)?每月([0-9,-]+)/.exec(text))) {
    parts = r[2].split(",");
    for (i = 0; i < parts.length; i++) {
      var d = parseInt(parts[i], 10);
      if (d >= 1 && d <= 31) (r[1] ? lFtv : sFtv).push("00" + pad2(d) + name);
      else if (d <= -1 && d >= -31 && !r[1] && parts.length === 1) sFtv.push("00" + d + name);
    }
  } else if ((r = /^农历([0-9,-]+)/.exec(text))) {
    parts = r[1].split(",");
    for (i = 0; i < parts.length; i++) {
      var lmd = /^(\d{1,2})-(\d{1,2})$/.exec(parts[i]);
      if (lmd) lFtv.push(pad2(+lmd[1]) + pad2(+lmd[2]) + name);
    }
  } else if ((r = /^每周([1-7]+)/.exec(text))) {
    for (i = 0; i < r[1].length; i++) wFtv.push("000" + (+r[1].charAt(i) % 7) + name);
  } else if ((r = /^(\d{4})-(\d{1,2})-(\d{1,2})/.exec(text))) {
    oFtv.push(r[1] + pad2(+r[2]) + pad2(+r[3]) + name);
  }
}

function CB_isHideTask(flag) {
  hideTasks = !!flag;
  document.getElementById("chkHideTask").checked = hideTasks;
  drawMonth();
}

// ---- Drawing ----

function redSaturday(y, m, d) {
  // Alternate Saturdays count as rest days, the same ones in every month.
  return Math.floor((dayNumber(y, m, d) - dayNumber(1900, 1, 6)) / 7) % 2 === 0;
}

function cellInfo(y, m, d) {
  var l = toLunar(y, m, d), f = festivalsOf(y, m, d, l), keys = [], names = [];
  var all = f.lun.concat(f.sol, f.week);
  for (var i = 0; i < all.length; i++) {
    if (isTask(all[i])) {
      var n = nameOf(all[i]);
      keys.push(n.substr(0, n.indexOf("-") < 0 ? n.length : n.indexOf("-")));
      names.push(n);
    }
  }
  var plain = function (list) { return list.filter(function (e) { return !isTask(e); }); };
  var lun = plain(f.lun), sol = plain(f.sol), week = plain(f.week);
  var text = "", kind = "";
  if (lun.length) { text = nameOf(lun[0]); kind = "fest"; }
  else if (sol.length) { text = nameOf(sol[0]); kind = "fest"; }
  else if (week.length) { text = nameOf(week[0]); kind = "fest"; }
  else if (f.term) { text = f.term; kind = "term"; }
  else if (l && l.day === 1) { text = lunarMonthText(l); kind = "lmonth"; }
  else if (l) { text = lunarDayName(l.day); kind = "lday"; }
  var red = lun.concat(sol, week).some(function (e) { return parseEntry(e).mark === "*"; });
  return { lunar: l, fest: f, text: text, kind: kind, keys: keys, taskNames: names, holiday: red };
}

function isToday(y, m, d) {
  var now = new Date();
  return now.getFullYear() === y && now.getMonth() + 1 === m && now.getDate() === d;
}

function drawMonth() {
  if (!curYear) return;
  var y = curYear, m = curMonth, first = new Date(y, m - 1, 1).getDay();
  var size = new Date(y, m, 0).getDate(), grid = document.getElementById("grid");
  document.getElementById("selYear").value = String(y);
  document.getElementById("selMonth").value = String(m);
  var html = "";
  for (var row = 0; row < 6; row++) {
    html += "<tr>";
    for (var col = 0; col < 7; col++) {
      var d = row * 7 + col - first + 1;
      if (d < 1 || d > size) { html += '<td class="empty"></td>'; continue; }
      var c = cellInfo(y, m, d), cls = ["day", c.kind];
      if (col === 0 || (col === 6 && redSaturday(y, m, d)) || c.holiday) cls.push("red");
      if (c.holiday) cls.push("hol");
      if (c.keys.length) cls.push("task");
      if (isToday(y, m, d)) cls.push("today");
      var l = c.lunar;
      html += '<td class="' + cls.join(" ") + '" data-date="' + y + "-" + m + "-" + d + '" data-keys="'
        + escapeHtml(c.keys.join(",")) + '" data-lunar="' + (l ? l.year + "-" + l.month + "-" + l.day : "") + '" data-leap="'
        + (l && l.leap ? 1 : 0) + '" data-kind="' + c.kind + '" data-term="' + c.fest.term + '"><div class="sday">' + d + '</div><div class="lday">'
        + escapeHtml(c.text) + "</div></td>";
    }
    html += "</tr>";
  }
  grid.innerHTML = html;
  var l1 = toLunar(y, m, 1), l2 = toLunar(y, m, size);
  var y1 = l1 ? l1.year : y - 1, y2 = l2 ? l2.year : y - 1;
  document.getElementById("ganzhi").textContent = y1 === y2 ? yearName(y1) : yearName(y1) + " " + yearName(y2);
}

function escapeHtml(s) {
  return String(s).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
}

// Shows month m of year y, kept within 1900-01 .. 2049-12.
function calShowMonth(y, m) {
  var n = Math.min(Math.max(y * 12 + m - 1, FIRST_YEAR * 12), LAST_YEAR * 12 + 11);
  curYear = Math.floor(n / 12);
  curMonth = n % 12 + 1;
  drawMonth();
}
function stepMonths(n) { calShowMonth(curYear, curMonth + n); }
function showThisMonth() { var t = new Date(); calShowMonth(t.getFullYear(), t.getMonth() + 1); }

// ---- Hover box ----

function tipHtml(td) {
  var p = td.getAttribute("data-date").split("-"), y = +p[0], m = +p[1], d = +p[2];
  var c = cellInfo(y, m, d), l = c.lunar, lines = [];
  var weekday = weekdayName(new Date(y, m - 1, d).getDay());
  var day = ENGLISH ? y + "-" + pad2(m) + "-" + pad2(d) : y + "年" + m + "月" + d + "日";
  lines.push("<b>" + day + " " + weekday + "</b>");
  if (l && ENGLISH) lines.push("Lunar " + lunarMonthName(l) + lunarDayName(l.day) + " (month of " + l.size + " days)");
  else if (l) lines.push("农历" + lunarMonthName(l) + lunarDayName(l.day) + "（" + (l.size === 30 ? "大" : "小") + "）");
  lines.push(pillars(y, m, d));
  var fest = c.fest.lun.concat(c.fest.sol, c.fest.week).filter(function (e) { return !isTask(e); }).map(nameOf);
  if (c.fest.term) fest.push(c.fest.term);
  if (fest.length) lines.push(escapeHtml(fest.join(" ")));
  for (var i = 0; i < c.taskNames.length; i++) lines.push('<span class="t">' + escapeHtml(c.taskNames[i]) + "</span>");
  return lines.join("<br>");
}

function moveTip(ev) {
  var tip = document.getElementById("tip"), x = ev.clientX + 14, y = ev.clientY + 14;
  if (x + tip.offsetWidth > window.innerWidth) x = ev.clientX - tip.offsetWidth - 8;
  if (y + tip.offsetHeight > window.innerHeight) y = ev.clientY - tip.offsetHeight - 8;
  tip.style.left = Math.max(0, x) + "px";
  tip.style.top = Math.max(0, y) + "px";
}

function dayCell(target) {
  while (target && target.tagName !== "TD") target = target.parentNode;
  return target && target.getAttribute && target.getAttribute("data-date") ? target : null;
}

// ---- Bridge ----

var bridgeQueue = [], bridgeBusy = null, bridgeSeq = 0, demoTimer = null, hosted = false;

// The host answers by calling WB_DEFCB(method, [code, data]).
function dispatch(method, resp) {
  if (bridgeBusy && bridgeBusy.toLowerCase() === String(method).toLowerCase()) bridgeNext();
  if (!resp || resp.length !== 2) { alert("wrong response from svr!"); return; }
  if (resp[0] !== 0) { alert("fail code " + resp[0] + ": " + resp[1]); return; }
  // A host may hand the method back in other letter case than the page wrote it ("ishidetask").
  var name = "CB_" + method, fn = window[name];
  if (typeof fn !== "function") {
    for (var k in window) {
      if (k.toLowerCase() === name.toLowerCase() && typeof window[k] === "function") { fn = window[k]; break; }
    }
  }
  if (typeof fn === "function") fn(resp[1]);
}
window.WB_DEFCB = dispatch;

// The JSON writer sends dates as D("yyyy-m-d hh:nn:ss").
function D(text) {
  var p = String(text).split(/[- :]/);
  return new Date(+p[0], +p[1] - 1, +p[2], +(p[3] || 0), +(p[4] || 0), +(p[5] || 0));
}

// One call at a time: a second location change right after the first could cancel it before the host saw it.
function callHost(method, args) {
  bridgeQueue.push("wb://" + method + (args ? "?" + args : ""));
  if (!bridgeBusy) bridgeNext();
}
function bridgeNext() {
  bridgeBusy = null;
  var url = bridgeQueue.shift();
  if (!url) return;
  bridgeBusy = url.substring(5).split("?")[0];
  var seq = ++bridgeSeq;
  // Clicks get no answer: the next call goes out after a moment all the same.
  setTimeout(function () { if (seq === bridgeSeq && bridgeBusy) bridgeNext(); }, 300);
  window.location.href = url;
}

function isHosted() { return hosted || window.WB_ENABLED === true; }

// A call made while the page is still loading would stop the load: wait for it to end.
function startWhenLoaded() {
  if (document.readyState === "complete") setTimeout(startHosted, 0);
  else window.addEventListener("load", function () { setTimeout(startHosted, 0); });
}

function startHosted() {
  if (hosted) return;
  hosted = true;
  if (demoTimer) { clearTimeout(demoTimer); demoTimer = null; }
  document.getElementById("status").textContent = "";
  callHost("isHideTask");
  callHost("gettasks");
}

// The host announces itself by setting window.WB_ENABLED, before the page's scripts run or after it loaded.
(function watchFlag() {
  var value = window.WB_ENABLED;
  try {
    Object.defineProperty(window, "WB_ENABLED", {
      configurable: true,
      get: function () { return value; },
      set: function (v) { value = v; if (v) startWhenLoaded(); }
    });
  } catch (e) { /* an engine that refuses: the timer below still looks at the flag */ }
})();

function demoData() {
  var t = new Date(), today = t.getFullYear() + "-" + (t.getMonth() + 1) + "-" + t.getDate();
  CB_isHideTask(false);
  CB_gettasks([["T01", "每月4,14", "交房租（演示）"], ["T02", "每年1-3", "朋友生日（演示）"],
    ["T03", today, "今天的任务（演示）"], ["T04", "农历每年8-15", "给家里打电话（演示）"],
    ["T05", today, "第二个任务（演示）"]]);
  document.getElementById("status").textContent = ENGLISH ? "Demo data" : "演示数据";
}

function sendDay(method, td) {
  var keys = td.getAttribute("data-keys"), args = td.getAttribute("data-date") + (keys ? " " + keys : "");
  if (isHosted()) callHost(method, args);
  else if (ENGLISH) document.getElementById("status").textContent = (method === "onclick" ? "Click " : "Double-click ")
    + args;
  else document.getElementById("status").textContent = (method === "onclick" ? "单击 " : "双击 ") + args;
}

// ---- Keys: the hosted page must not be reloaded or navigated away by keyboard or mouse ----

function suppress(ev) { ev.preventDefault(); ev.stopPropagation(); return false; }
document.addEventListener("contextmenu", suppress, true);
document.addEventListener("selectstart", suppress, true);
document.addEventListener("dragstart", suppress, true);
document.addEventListener("keydown", function (ev) {
  var k = ev.keyCode, ctrl = ev.ctrlKey || ev.metaKey;
  if (k === 116 || k === 112 || (ctrl && (k === 82 || k === 78)) || (ev.altKey && (k === 37 || k === 39))) {
    return suppress(ev);
  }
}, true);
document.addEventListener("click", function (ev) {
  var t = ev.target;
  while (t && t.tagName !== "A") t = t.parentNode;
  if (t && ev.shiftKey) return suppress(ev);
}, true);

// ---- Start ----

// The page's labels in English; the Chinese ones are written in the page itself.
function translatePage() {
  document.title = "Calendar";
  document.documentElement.lang = "en";
  var labels = [["selYear", null, "Year"], ["selMonth", null, "Month"], ["btnYearUp", "Year ↑", "Next year"],
    ["btnYearDown", "Year ↓", "Previous year"], ["btnMonthUp", "Month ↑", "Next month"],
    ["btnMonthDown", "Month ↓", "Previous month"], ["btnToday", "This month", "Back to this month"],
    ["hint", "Click a day to see its tasks or to pick it; double-click a day to add a task", null]];
  labels.forEach(function (e) {
    var el = document.getElementById(e[0]);
    if (e[1] !== null) el.textContent = e[1];
    if (e[2] !== null) el.title = e[2];
  });
  // "年" and "月" after the two lists read as units in Chinese; the English lists have their tips.
  document.getElementById("selYear").nextElementSibling.textContent = " ";
  document.getElementById("selMonth").nextElementSibling.textContent = " ";
  document.getElementById("chkHideTask").nextSibling.nodeValue = "Hide tasks";
  var heads = document.querySelectorAll("#cal thead th");
  for (var i = 0; i < heads.length; i++) heads[i].textContent = EN_WEEKDAYS[i];
}

function init() {
  if (ENGLISH) translatePage();
  var selYear = document.getElementById("selYear"), selMonth = document.getElementById("selMonth"), i, html = "";
  for (i = FIRST_YEAR; i <= LAST_YEAR; i++) html += "<option>" + i + "</option>";
  selYear.innerHTML = html;
  html = "";
  for (i = 1; i <= 12; i++) html += "<option>" + i + "</option>";
  selMonth.innerHTML = html;
  selYear.onchange = function () { calShowMonth(+selYear.value, curMonth); };
  selMonth.onchange = function () { calShowMonth(curYear, +selMonth.value); };
  document.getElementById("btnYearUp").onclick = function () { stepMonths(12); };
  document.getElementById("btnYearDown").onclick = function () { stepMonths(-12); };
  document.getElementById("btnMonthUp").onclick = function () { stepMonths(1); };
  document.getElementById("btnMonthDown").onclick = function () { stepMonths(-1); };
  document.getElementById("btnToday").onclick = showThisMonth;
  document.getElementById("chkHideTask").onclick = function () { hideTasks = this.checked; drawMonth(); };

  var grid = document.getElementById("grid"), tip = document.getElementById("tip");
  grid.onclick = function (ev) {
    var td = dayCell(ev.target);
    if (td && ev.detail < 2) sendDay("onclick", td);  // the second click of a double-click is not a click
  };
  grid.ondblclick = function (ev) { var td = dayCell(ev.target); if (td) sendDay("ondblclick", td); };
  grid.onmouseover = function (ev) {
    var td = dayCell(ev.target);
    if (!td) { tip.style.display = "none"; return; }
    tip.innerHTML = tipHtml(td);
    tip.style.display = "block";
    moveTip(ev);
  };
  grid.onmousemove = function (ev) { if (tip.style.display === "block") moveTip(ev); };
  grid.onmouseleave = function () { tip.style.display = "none"; };

  var tick = function () {
    var t = new Date();
    document.getElementById("clock").textContent = t.getFullYear() + "-" + pad2(t.getMonth() + 1) + "-"
      + pad2(t.getDate()) + " " + pad2(t.getHours()) + ":" + pad2(t.getMinutes()) + ":" + pad2(t.getSeconds())
      + " " + weekdayName(t.getDay());
  };
  tick();
  setInterval(tick, 1000);
  showThisMonth();
  // A host sets the flag right after the page has loaded; without one, after a moment, demonstration data.
  if (isHosted()) startWhenLoaded();
  else demoTimer = setTimeout(function () { demoTimer = null; if (!isHosted()) demoData(); }, 800);
}

init();
