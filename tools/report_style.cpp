// The commissioning report's style sheet: an A4 page that prints as it shows, marks and
// colours included, whatever the browser's setting for backgrounds.
#include "tools/report_pictures.h"

const char* ReportStyle() {
  static const char* const kStyle = R"(@page { size: A4; margin: 14mm 12mm 16mm; }
html { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
body { font-family: sans-serif; font-size: 9pt; color: #000; max-width: 186mm; margin: 0 auto; overflow-wrap: anywhere; }
h1 { font-size: 15pt; margin: 0 0 6pt; }
h2 { font-size: 11pt; margin: 12pt 0 3pt; border-bottom: 1.5pt solid #444; break-after: avoid; }
section { break-inside: avoid; }
table { border-collapse: collapse; width: 100%; table-layout: fixed; }
th, td { text-align: left; vertical-align: top; padding: 1pt 4pt; border-bottom: 0.5pt solid #ccc; white-space: pre-wrap; overflow-wrap: anywhere; }
table.head th { width: 30%; }
table.head td.fill { border-bottom: 0.5pt solid #000; }
table.settings tr > :first-child { width: 40%; }
td.changed { background: #ffe08a; font-weight: bold; border-left: 2.5pt solid #b8860b; }
td.unused { color: #666; font-style: italic; }
.findings li, .fault { color: #a00; fill: #a00; }
.note { color: #444; font-style: italic; }
.pictures { display: flex; gap: 6mm; margin: 2pt 0 6pt; }
figure { flex: 1; min-width: 0; margin: 0; }
figcaption { font-weight: bold; }
figure p { margin: 2pt 0; }
svg { width: 100%; height: auto; }
svg text { font-family: sans-serif; font-size: 8px; }
.grid { stroke: #ccc; stroke-width: 0.5; }
.axis { stroke: #000; stroke-width: 1; }
.hour, .tick-x, .title-x { text-anchor: middle; }
.tick-y, .constant-label { text-anchor: end; }
.c1 { fill: #3b6fc4; stroke: #3b6fc4; } .c2 { fill: #e08a2c; stroke: #e08a2c; }
.presence { fill: #3f9a4f; stroke: #3f9a4f; } .curve-key { fill: #c0392b; stroke: #c0392b; }
.bar.planned, .key.planned { fill: none; stroke-width: 1; stroke-dasharray: 3 2; }
.invalid { fill: #fde2e2; stroke: #a00; stroke-width: 0.8; } .invalid.planned { stroke-dasharray: 3 2; }
.hatch { stroke: #a00; stroke-width: 0.6; }
.number { fill: #fff; stroke: none; font-size: 7px; }
.curve { fill: none; stroke: #c0392b; stroke-width: 1.5; }
.curve.planned { stroke-width: 1; stroke-dasharray: 4 3; }
.constant { stroke: #c0392b; stroke-width: 1.5; }
.constant.planned { stroke-width: 1; stroke-dasharray: 4 3; }
.point { fill: #c0392b; }
.point.planned { fill: #fff; stroke: #c0392b; }
table.signoff { margin-top: 4pt; }
table.signoff th:first-child { width: 16%; }
table.signoff td { height: 14pt; border-bottom: 0.5pt solid #000; }
table.signoff tr:last-child td { height: 30pt; }
section.signoff { break-inside: avoid; margin-top: 10pt; }
)";
  return kStyle;
}
