// Dialog templates as data. Each page's template lives with the page's resources; the plain
// pages that have no controls share EmptyDialog.
#pragma once

#include "framework/dialog_template.h"

// A template with no controls (the pages that are never added, and pages still to be laid out).
const fw::DialogTemplate& EmptyDialog(int id);

// 200: Node Information.
constexpr int kIdNodeName = 202;
constexpr int kIdShowSet1 = 234;  // "BL1"
constexpr int kIdShowSet2 = 235;  // "BL2"
const fw::DialogTemplate& NodeInformationDialog();
