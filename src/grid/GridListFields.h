#pragma once
// What the grid needs of the open list: grid column n shows field n. The grid asks while holding
// its lock (also on worker threads), so an implementation must not wait for a lock of its own that
// a worker may hold while it calls the grid; storedValue is the exception: the grid calls it
// without its lock.
#include <cstdint>
#include <string>

class GridListFields {
  public:
    virtual ~GridListFields() = default;
    // The FieldType code of field n; 0 when there is no such field.
    virtual int32_t fieldType(int column) const = 0;
    virtual bool isKeyField(int column) const = 0;
    // The raw stored value of field n of the record with that bookmark (a link's parts joined by
    // "||"), read from the open list's table.
    virtual std::string storedValue(int32_t bookmark, int column) = 0;
};
