#pragma once

#include <QByteArray>

#include <functional>

#include "desktop/store/contact_record.h"

// Reads the cards of a vCard file, given as the file's bytes, into contact records.
//
// The bytes are read as text-mode lines (LF ends a line, a CR before it is dropped) in code
// page 936; a NUL byte, which no text holds, is dropped. A card runs from a "BEGIN:VCARD" line to
// "END:VCARD" or the end of the text; lines between cards are skipped. The third line after
// "BEGIN:VCARD" is the card's name line ("N:Last;First;Middle;Title;Suffix"), as the program's own
// vCard export writes it. Each property line is "NAME:value": the properties the program knows
// fill their columns, telephone numbers, related names and dates written as a grouped line
// ("itemN.") followed by its "X-ABLabel" line go to the column of their label, and whatever has
// no column is kept as text in the notes. Values are kept as written: no escape is undone.
//
// `onCard` is called with each card in file order. Any bytes are read without fault.
void ReadVCards(const QByteArray& bytes, const std::function<void(const ContactRecord&)>& onCard);
