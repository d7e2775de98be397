#pragma once
// TComponent: a named object that owns the components created with it as owner and frees them,
// newest first, when it is freed itself.

#include <memory>
#include <string>
#include <vector>

#include "graphics/Persistent.h"

class TComponent : public TPersistent {
    OBRAZOR_CLASS_RECORD
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }

    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_.at(std::size_t(index)); }
    // The owned component of that name, or null.
    TComponent* FindComponent(const std::string& name) const;

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* owner_;
    std::string name_;
    std::vector<TComponent*> components_;
};
