#pragma once

#include <QIODevice>
#include <QtGlobal>

#include <memory>

#include "desktop/store/contact_record.h"

// The most of a file one card may take, its lines between "BEGIN:VCARD" and its end: far more
// than any contact with a photo. A line between cards may take as much.
inline constexpr qint64 kMaxVCardCardBytes = qint64{32} * 1024 * 1024;

// Reads the cards of a vCard file into contact records, one card at a time, so that a file of any
// size takes the memory of one card: the cards the program's own export writes (see
// vcard_fields.h), field for field, and those of phones and other address books as far as they
// have the same properties.
//
// Lines are read as text mode reads them (LF ends a line, a CR before it is dropped) and
// unfolded (a line that begins with a blank or a tab continues the line before it). The text is
// UTF-8, code page 936 or UTF-16, as TextFileReader decides for the whole file (a byte-order mark
// is no part of the first line); every byte is kept, a NUL byte included. A card runs from a
// "BEGIN:VCARD" line to the next "BEGIN:VCARD" or "END:VCARD" line or the end of the text; lines
// between cards are skipped.
//
// Each line is "NAME;PARAMETERS:value" (see vcard_property.h), the value unescaped (see
// vcard_text.h); a value in quoted-printable is decoded first, a line that ends in its soft line
// break joined with the next. The name comes from the N line wherever it stands
// ("Last;First;Middle;Title;Suffix"), or is the formatted name (FN) when the card has none. The
// properties of the export fill their fields, chosen by name and by the set of types the
// parameters name, in any case, spelling and order; a line whose types name no field of its
// property (TEL;TYPE=MAIN, a bare EMAIL) takes the first field of that property left empty at the
// end of the card, in the export's order. Grouped lines ("itemN.") go to the field their
// "itemN.X-ABLabel" line names; the lines the export puts at the end of the note go back into
// their fields; File_As is the composed name ("Last,First Middle") unless the note names one;
// Birthday and Anniversary in the basic form "YYYYMMDD" are stored as "YYYY-MM-DD". Whatever has
// no field is kept as text in the notes, after the card's own note.
//
// The reader reads the device from its position on; the device must be seekable (the encoding is
// decided first) and outlive the reader. Any bytes are read without fault.
class VCardReader {
 public:
  explicit VCardReader(QIODevice& device);
  ~VCardReader();
  VCardReader(const VCardReader&) = delete;
  VCardReader& operator=(const VCardReader&) = delete;

  // The next card in file order; false when there is none left, or when the reading stopped
  // short (see Stopped()).
  bool Next(ContactRecord* card);

  enum class Stop {
    kNone,        // reading on
    kEnd,         // every card was read
    kTooLarge,    // a card or a line between cards took more than kMaxVCardCardBytes
    kUnreadable,  // the device failed
  };
  Stop Stopped() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};
