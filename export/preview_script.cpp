#include "export/preview_script.h"

namespace qv::exporter {

const char* const kPreviewScript = R"JS('use strict';
(function () {
  var EPSILON = 0.0001;

  function round(x) { return Math.round(x * 100) / 100; }
  function clamp(x, low, high) { return Math.max(low, Math.min(high, x)); }

  function insideArea(area, x, y) {
    var b = area.box;
    if (area.shape === 'ellipse') {
      var rx = b.width / 2, ry = b.height / 2;
      if (rx <= 0 || ry <= 0) return false;
      var dx = (x - b.left - rx) / rx, dy = (y - b.top - ry) / ry;
      return dx * dx + dy * dy <= 1;
    }
    if (area.shape === 'polygon') {
      var p = area.points, inside = false;
      for (var i = 0, j = p.length - 1; i < p.length; j = i++) {
        if ((p[i][1] > y) !== (p[j][1] > y) &&
            x < (p[j][0] - p[i][0]) * (y - p[i][1]) / (p[j][1] - p[i][1]) + p[i][0]) {
          inside = !inside;
        }
      }
      return inside;
    }
    return x >= b.left && x <= b.left + b.width && y >= b.top && y <= b.top + b.height;
  }

  function inBox(b, x, y) {
    return x >= b.left && x <= b.left + b.width && y >= b.top && y <= b.top + b.height;
  }

  // Drag and drop with pointer events: one code path for mouse, touch and pen.
  function setUpDragging(section) {
    var board = section.querySelector('.board');
    if (!board) return;
    var area = board.querySelector('.area');
    section.placements = {};
    Array.prototype.forEach.call(board.querySelectorAll('.item'), function (item) {
      var start = null;
      item.addEventListener('pointerdown', function (e) {
        e.preventDefault();
        item.setPointerCapture(e.pointerId);
        start = {x: e.clientX, y: e.clientY, left: item.offsetLeft, top: item.offsetTop};
        item.classList.add('dragging');
      });
      item.addEventListener('pointermove', function (e) {
        if (!start) return;
        item.style.left = (start.left + e.clientX - start.x) + 'px';
        item.style.top = (start.top + e.clientY - start.y) + 'px';
      });
      function drop() {
        if (!start) return;
        start = null;
        item.classList.remove('dragging');
        var cx = item.offsetLeft + item.offsetWidth / 2 - area.offsetLeft;
        var cy = item.offsetTop + item.offsetHeight / 2 - area.offsetTop;
        section.placements[item.getAttribute('data-item')] = {x: cx, y: cy};
      }
      item.addEventListener('pointerup', drop);
      item.addEventListener('pointercancel', drop);
    });
  }

  function setUpSpot(section) {
    var area = section.querySelector('.area.spot');
    if (!area) return;
    area.addEventListener('click', function (e) {
      var r = area.getBoundingClientRect();
      section.point = {x: e.clientX - r.left, y: e.clientY - r.top};
      var mark = area.querySelector('.mark') || document.createElement('div');
      mark.className = 'mark';
      mark.style.left = section.point.x + 'px';
      mark.style.top = section.point.y + 'px';
      area.appendChild(mark);
    });
  }

  function choicePart(q, section) {
    var ticked = [];
    Array.prototype.forEach.call(section.querySelectorAll('.answers input'), function (input) {
      if (input.checked) ticked.push(Number(input.value));
    });
    var correct = q.correct;
    if (!q.multiple) return ticked.length === 1 && correct.indexOf(ticked[0]) >= 0 ? q.share : 0;
    if (q.allOrNothing) {
      var same = ticked.length === correct.length &&
                 ticked.every(function (i) { return correct.indexOf(i) >= 0; });
      return same ? q.share : 0;
    }
    var value = 0;
    ticked.forEach(function (i) { value += correct.indexOf(i) >= 0 ? q.choiceStep : -q.choiceStep; });
    return clamp(value, 0, q.share);
  }

  function score(q, section) {
    var parts = [];
    if (q.correct) parts.push(choicePart(q, section));
    Array.prototype.forEach.call(section.querySelectorAll('.blank'), function (input) {
      var accepted = q.blanks[Number(input.getAttribute('data-blank'))];
      parts.push(accepted.indexOf(input.value.trim()) >= 0 ? q.share : 0);
    });
    if (q.zones) {
      var placed = 0;
      q.zones.forEach(function (zone, k) {
        var at = section.placements[k];
        if (at && inBox(zone, at.x, at.y)) placed++;
      });
      parts.push(q.allOrNothing ? (placed === q.zones.length ? q.share : 0) : placed * q.itemStep);
    }
    if (q.areas) {
      var p = section.point;
      parts.push(p && q.areas.some(function (a) { return insideArea(a, p.x, p.y); }) ? q.share : 0);
    }
    var total = parts.reduce(function (a, b) { return a + b; }, 0);
    if (q.allOrNothing && total < q.points - EPSILON) total = 0;
    return round(total);
  }

  function check() {
    var results = [], total = 0, possible = 0;
    Array.prototype.forEach.call(document.querySelectorAll('section.question'), function (section) {
      var q = JSON.parse(section.getAttribute('data-question'));
      var out = section.querySelector('.result');
      var result = {id: q.id, points: q.points, score: null, feedback: ''};
      if (q.manual) {
        var answered = section.querySelector('textarea.essay').value.trim() !== '';
        result.feedback = answered ? q.right : '';
        out.textContent = 'Marked by your teacher.';
      } else {
        result.score = score(q, section);
        total += result.score;
        possible += q.points;
        result.feedback = result.score >= q.points - EPSILON ? q.right : q.wrong;
        out.textContent = 'Score: ' + result.score + ' of ' + round(q.points);
      }
      if (result.feedback) {
        var f = document.createElement('p');
        f.className = 'feedback';
        f.textContent = result.feedback;
        out.appendChild(f);
      }
      results.push(result);
    });
    document.getElementById('total').textContent =
        'Total: ' + round(total) + ' of ' + round(possible);
    window.previewResults = results;
  }

  Array.prototype.forEach.call(document.querySelectorAll('section.question'), function (section) {
    setUpDragging(section);
    setUpSpot(section);
  });
  var button = document.getElementById('check');
  if (button) button.addEventListener('click', check);
})();
)JS";

const char* const kPreviewStyle =
    R"CSS(body { font: 16px/1.4 Arial, sans-serif; margin: 0; color: #111; }
nav { background: #234; color: #fff; padding: 8px 16px; }
nav a { color: #fff; margin-right: 12px; }
main { padding: 16px; max-width: 900px; }
section.question { border: 1px solid #999; padding: 12px; margin-bottom: 16px; }
.answers { list-style: none; padding: 0; }
.answers li { margin: 4px 0; }
.board { position: relative; touch-action: none; }
.area { position: relative; background-repeat: no-repeat; border: 1px solid #666; }
.area.spot { cursor: crosshair; }
.tray { position: relative; min-height: 60px; margin-top: 8px; border: 1px dashed #999; }
.item { position: absolute; box-sizing: border-box; border: 1px solid #00f; background: #fff;
        display: flex; align-items: center; justify-content: center; cursor: grab;
        touch-action: none; user-select: none; }
.item.dragging { cursor: grabbing; opacity: 0.8; z-index: 10; }
.item img { width: 100%; height: 100%; pointer-events: none; }
.mark { position: absolute; width: 12px; height: 12px; margin: -6px 0 0 -6px; border-radius: 6px;
        background: #e00; border: 2px solid #fff; pointer-events: none; }
.result { margin-top: 8px; font-weight: bold; }
.feedback { font-weight: normal; font-style: italic; }
)CSS";

}  // namespace qv::exporter
