#pragma once
// The race header and the class collection a race is made of, and how class names are shown.
// A race is a value (racevalue.h); the race a window or a script works on is held by a document
// (racedocument.h).
#include "race/classdata.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <vector>

struct RaceHeader {
    QString RaceName;
    QDate RaceDate;  // a null date means "not set"
    QString RacePlace;
    QString RaceRemarks;

    void clear() { *this = RaceHeader(); }
    bool hasDate() const { return RaceDate.isValid(); }
};

// The classes of the race in class order, looked up by name ignoring letter case. It plays the
// part of both the keyed class collection and the ordered list of class names: class order
// everywhere (display, files, reports) is the order of this container. Class objects keep
// their address for the life of the container.
class ClassCollection {
public:
    // Creates a class under that name and appends it to the order. The name must not be present.
    clsClassData& add(const QString& name);
    clsClassData* find(const QString& name);
    const clsClassData* find(const QString& name) const;
    bool contains(const QString& name) const { return find(name) != nullptr; }
    // Look-up that throws std::out_of_range for an unknown name.
    clsClassData& operator[](const QString& name);

    int count() const { return static_cast<int>(classes_.size()); }
    bool isEmpty() const { return classes_.empty(); }
    // 1-based position in class order.
    clsClassData& at(int position);
    const clsClassData& at(int position) const;
    // The class names in class order.
    QStringList names() const;
    void clear() { classes_.clear(); }
    // Removes the class with its runners; false when there is no such class.
    bool remove(const QString& name);
    // Gives the class a new name and moves it to the end of the class order (the object keeps
    // its address). False, changing nothing, when the old name is unknown or the new name
    // belongs to another class.
    bool rename(const QString& oldName, const QString& newName);

    using Storage = std::vector<std::unique_ptr<clsClassData>>;
    Storage::const_iterator begin() const { return classes_.begin(); }
    Storage::const_iterator end() const { return classes_.end(); }

private:
    int indexOf(const QString& name) const;
    Storage classes_;
};

namespace basDefinition {

// "名称未入力" for the empty class name, the name itself otherwise.
QString DisplayClassName(const QString& name);

// The entry of a class in the class lists of the output and print windows and the command
// line: "名称未設定" for the empty class name, the name itself otherwise. ClassNameOfEntry turns
// an entry back into the class name it stands for.
QString ClassListEntry(const QString& name);
QString ClassNameOfEntry(const QString& entry);

}  // namespace basDefinition
