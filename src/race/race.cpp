#include "race/race.h"

#include <stdexcept>

clsClassData& ClassCollection::add(const QString& name)
{
    if (contains(name)) throw std::invalid_argument("ClassCollection: class added twice");
    classes_.push_back(std::make_unique<clsClassData>());
    classes_.back()->ClassName = name;
    return *classes_.back();
}

int ClassCollection::indexOf(const QString& name) const
{
    for (size_t i = 0; i < classes_.size(); ++i)
        if (classes_[i]->ClassName.compare(name, Qt::CaseInsensitive) == 0) return static_cast<int>(i);
    return -1;
}

clsClassData* ClassCollection::find(const QString& name)
{
    int i = indexOf(name);
    return i < 0 ? nullptr : classes_[static_cast<size_t>(i)].get();
}

const clsClassData* ClassCollection::find(const QString& name) const
{
    int i = indexOf(name);
    return i < 0 ? nullptr : classes_[static_cast<size_t>(i)].get();
}

clsClassData& ClassCollection::operator[](const QString& name)
{
    clsClassData* c = find(name);
    if (!c) throw std::out_of_range("ClassCollection: unknown class");
    return *c;
}

clsClassData& ClassCollection::at(int position)
{
    if (position < 1 || position > count()) throw std::out_of_range("ClassCollection: position");
    return *classes_[static_cast<size_t>(position - 1)];
}

const clsClassData& ClassCollection::at(int position) const
{
    if (position < 1 || position > count()) throw std::out_of_range("ClassCollection: position");
    return *classes_[static_cast<size_t>(position - 1)];
}

QStringList ClassCollection::names() const
{
    QStringList result;
    for (const auto& c : classes_) result << c->ClassName;
    return result;
}

bool ClassCollection::remove(const QString& name)
{
    const int i = indexOf(name);
    if (i < 0) return false;
    classes_.erase(classes_.begin() + i);
    return true;
}

bool ClassCollection::rename(const QString& oldName, const QString& newName)
{
    const int i = indexOf(oldName);
    if (i < 0) return false;
    const int other = indexOf(newName);
    if (other >= 0 && other != i) return false;
    std::unique_ptr<clsClassData> moved = std::move(classes_[static_cast<size_t>(i)]);
    classes_.erase(classes_.begin() + i);
    moved->ClassName = newName;
    classes_.push_back(std::move(moved));
    return true;
}

namespace basDefinition {

QString DisplayClassName(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("名称未入力") : name;
}

namespace {
QString unnamedClassEntry()
{
    return QStringLiteral("名称未設定");
}
}  // namespace

QString ClassListEntry(const QString& name)
{
    return name.isEmpty() ? unnamedClassEntry() : name;
}

QString ClassNameOfEntry(const QString& entry)
{
    return entry == unnamedClassEntry() ? QString() : entry;
}

}  // namespace basDefinition
