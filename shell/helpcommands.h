// The Help menu's links and quotation box, and the start of the book editor.
#pragma once

#include <QString>

constexpr int QuoteCount = 12;

// Quotation 1..12: the saying, a line break and its attribution.
QString QuoteText(int number);
// "&Quote": one of the twelve at random, in a box titled "Quote".
void mnHelpQuote_Click();

// The pages the help links open: the site base address plus a fixed path.
QString HelpLink(const QString& command);
// Opens HelpLink(command); a failed open has no visible effect.
void OpenHelpLink(const QString& command);

// "Boo&k Editor": starts the program folder's lorimel without waiting for it.
void mnQuorvinBook_Click();
