#pragma once

#include <QByteArray>

#include <functional>

#include "desktop/store/contact_record.h"

// Reads the cards of a vCard file, given as the file's bytes, into contact records: the cards the
// program's own export writes (see vcard_fields.h), field for field, and those of phones and
// other address books as far as they have the same properties.
//
// Lines are read as text mode reads them (LF ends a line, a CR before it is dropped) and
// unfolded (a line that begins with a blank or a tab continues the line before it). The text is
// code page 936, or UTF-8 when the file begins with a UTF-8 byte-order mark; a NUL byte, which
// no text holds, is dropped. A card runs from a "BEGIN:VCARD" line to the next "BEGIN:VCARD" or
// "END:VCARD" line or the end of the text; lines between cards are skipped.
//
// Each line is "NAME:value", the value unescaped (see vcard_text.h). The name comes from the N
// line wherever it stands ("Last;First;Middle;Title;Suffix"), or is the formatted name (FN) when
// the card has none. The properties of the export fill their fields; grouped lines ("itemN.")
// go to the field their "itemN.X-ABLabel" line names; the lines the export puts at the end of
// the note go back into their fields; File_As is the composed name ("Last,First Middle") unless
// the note names one. Whatever has no field is kept as text in the notes, after the card's own
// note.
//
// `onCard` is called with each card in file order. Any bytes are read without fault.
void ReadVCards(const QByteArray& bytes, const std::function<void(const ContactRecord&)>& onCard);
