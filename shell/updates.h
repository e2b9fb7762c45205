// The Help menu's services that are more than links: the tips, the About text and the check for a
// newer version, which also refreshes the promotional line published texts end with.
#pragma once

#include <QString>

// The running version, as the version page expects it.
extern const QString ProgramVersion; // "1.06"
constexpr int TipCount = 15;
// Longest wait for the web site; a machine without network never waits longer.
constexpr int UpdateTimeoutMs = 5000;

// Tip 1..15 (any other number is wrapped into that range).
QString TipText(int index);
// "TipIndex" after Prev (-1) or Next (+1), wrapping at both ends.
int SteppedTipIndex(int index, int step);
// The About box's text.
QString AboutText();
void mnHelpAbout_Click();

// Asks the version page without blocking; the reply is handled when it comes. manual: the user
// asked, so a failure and "no new version" are reported too.
void CheckForUpdate(bool manual);
// The reply's handling on its own: the stored state, then the announcement question.
void HandleUpdateReply(const QString& reply, bool manual);
// The number at the start of a text ("1.07 beta" → 1.07); 0 when there is none.
double LeadingNumber(const QString& text);
// Whether today's date differs from "UpgradeDate", so that start-up checks again.
bool UpdateCheckDue();
