#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Every named field of a record, in file order, for tools that address fields by name.
// Text fields are a second view of the bytes of the field listed just before them.
enum class FieldType
{
    Int16,
    Bytes,
    Text
};

struct FieldLayout
{
    std::string name;
    std::size_t offset;
    std::size_t width;
    FieldType type;
};

const std::vector<FieldLayout> &systemLayout();
const std::vector<FieldLayout> &weeklyLayout();

// Copies the bytes of every field whose meaning is unknown (Opaque...) from `from` to `to`,
// both whole records of the layout.
void copyOpaqueBytes(const std::vector<FieldLayout> &layout, const std::uint8_t *from,
                     std::uint8_t *to);

// nullptr when the layout has no field of that name.
const FieldLayout *findField(const std::vector<FieldLayout> &layout, const std::string &name);
