// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Test builds only: when TW_TEST_ANSWERS holds a comma-separated list of answers ("yes,no"), questions are
// answered from it in order, each logged to stderr as "asked: <text>", so tests of whole processes can answer
// them. Without the variable nothing changes. Release builds never call this.
void InstallTestAnswers();
