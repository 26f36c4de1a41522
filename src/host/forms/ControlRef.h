#pragma once

#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "host/forms/FormBuilder.h"

namespace host {

// A window's named handle to one of its controls, declared where the window declares the control
// (`host::ControlRef<host::Label> lbl_Hue{*this, "lbl_Hue"};`) and bound when the window builds
// its controls from its layout table. Used like a pointer.
class ControlRefBase {
 public:
  ControlRefBase(const ControlRefBase&) = delete;
  ControlRefBase& operator=(const ControlRefBase&) = delete;
  virtual ~ControlRefBase() = default;

  const std::string& name() const { return m_name; }
  // Finds the control inside `root`; false when there is none of the declared type.
  virtual bool bind(const QWidget& root) = 0;
  // Binds in `root`; a handle without its control is a programming error, which stops the
  // program with the handle's name.
  void bindOrStop(const QWidget& root) {
    if (!bind(root)) qFatal("layout: no control %s of the declared type", m_name.c_str());
  }

 protected:
  explicit ControlRefBase(std::string_view name) : m_name(name) {}

 private:
  std::string m_name;
};

// Where handles register: the window that owns them.
class ControlRefOwner {
 public:
  virtual void addControlRef(ControlRefBase& ref) = 0;

 protected:
  ~ControlRefOwner() = default;
};

template <class T>
class ControlRef : public ControlRefBase {
 public:
  ControlRef(ControlRefOwner& owner, std::string_view name, int index = -1)
      : ControlRefBase(name), m_index(index) {
    owner.addControlRef(*this);
  }

  bool bind(const QWidget& root) override {
    m_control = findControl<T>(root, name(), m_index);
    return m_control != nullptr;
  }

  T* get() const { return m_control; }
  T* operator->() const { return m_control; }
  T& operator*() const { return *m_control; }
  operator T*() const { return m_control; }  // NOLINT(google-explicit-constructor): a pointer

 private:
  int m_index;
  T* m_control = nullptr;
};

// The elements of a control array, by index (0, 1, 2 ...), bound like ControlRef.
template <class T>
class ControlArray : public ControlRefBase {
 public:
  ControlArray(ControlRefOwner& owner, std::string_view name) : ControlRefBase(name) {
    owner.addControlRef(*this);
  }

  bool bind(const QWidget& root) override {
    m_elements.clear();
    for (int i = 0;; ++i) {
      T* element = findControl<T>(root, name(), i);
      if (element == nullptr) break;
      m_elements.push_back(element);
    }
    return !m_elements.empty();
  }

  T* operator[](std::size_t index) const { return m_elements.at(index); }
  std::size_t size() const { return m_elements.size(); }
  auto begin() const { return m_elements.begin(); }
  auto end() const { return m_elements.end(); }

 private:
  std::vector<T*> m_elements;
};

}  // namespace host
