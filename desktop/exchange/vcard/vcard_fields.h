#pragma once

#include <QString>

#include <array>

#include "desktop/store/contact_record.h"

// How the contact fields are written into a card, in one table for the export and the import, so
// that every field the export writes is read back into the same field.
//
// The names (N, FN), the addresses (ADR) and the notes (NOTE) have forms of their own, below;
// Categories, Ring_Tone and the picture are not written.

using RecordField = QString ContactRecord::*;

enum class VCardForm {
  // A line of its own, "NAME:value". Fields that share a name are read back in table order, each
  // line into the first of them still empty.
  kProperty,
  // A grouped pair for what vCard has no property for: "item<n>.NAME:value", then
  // "item<n>.X-ABLabel:LABEL", the label telling the field.
  kItem,
  // A line "NAME:value" in the note, after the contact's own notes and an empty line.
  kNoteLine,
};

struct VCardField {
  constexpr VCardField(ContactFieldId id, VCardForm how, const char* property,
                       const char* itemLabel = nullptr)
      : field(MemberOf(id)), form(how), name(property), label(itemLabel) {}

  RecordField field;
  VCardForm form;
  const char* name;   // the property, the grouped property or the note line's label
  const char* label;  // kItem: the X-ABLabel text
};

// In the order the export writes them (the table's column order).
extern const std::array<VCardField, 34> kVCardFields;

struct VCardAddress {
  constexpr VCardAddress(const char* adr, const char* label, int ContactRecord::*seenFlag,
                         ContactFieldId street)
      : property(adr), noteLabel(label), seen(seenFlag) {
    for (size_t part = 0; part < fields.size(); ++part) {
      fields[part] = MemberOf(AddressFields(street)[part]);
    }
  }

  const char* property;   // "ADR;TYPE=WORK"
  const char* noteLabel;  // what the import puts before the parts it has no field for
  int ContactRecord::*seen;
  std::array<RecordField, 5> fields{};  // street, city, state, zip, country
};

// Work, home and other, in the order the export writes them. A value is "ADR;TYPE=...:" followed
// by the post-office box, the extended address and the five fields, separated by semicolons.
extern const std::array<VCardAddress, 3> kVCardAddresses;

// Birthday and Anniversary, which the export writes as vCard dates.
bool IsVCardDateField(RecordField field);
