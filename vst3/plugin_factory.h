// The class factory that a VST3 module hands to its host: it describes the
// registered classes and creates their instances.
#pragma once

#include <vector>

#include "pluginterfaces/base/ipluginbase.h"

namespace Steinberg {

// Creates one instance and returns it with one reference, or null.
using CreateInstanceFunction = FUnknown* (*)(void* context);

class CPluginFactory : public IPluginFactory3 {
 public:
  // Any thread; copies the information; allocates nothing.
  explicit CPluginFactory(const PFactoryInfo& info);
  virtual ~CPluginFactory();

  // Module set-up, before the factory is handed out; allocates. False (and no
  // class added) for a null argument or when allocation fails.
  bool registerClass(const PClassInfo2* info, CreateInstanceFunction create,
                     void* context = nullptr);

  // Host calls, any thread; they only read the registered classes.
  tresult PLUGIN_API getFactoryInfo(PFactoryInfo* info) SMTG_OVERRIDE;
  int32 PLUGIN_API countClasses() SMTG_OVERRIDE;
  tresult PLUGIN_API getClassInfo(int32 index, PClassInfo* info) SMTG_OVERRIDE;
  tresult PLUGIN_API getClassInfo2(int32 index, PClassInfo2* info) SMTG_OVERRIDE;
  tresult PLUGIN_API getClassInfoUnicode(int32 index, PClassInfoW* info) SMTG_OVERRIDE;
  tresult PLUGIN_API setHostContext(FUnknown* context) SMTG_OVERRIDE;
  // Creates an instance of class cid and asks it for interface iid; the host
  // then holds the only reference. Allocates.
  tresult PLUGIN_API createInstance(FIDString cid, FIDString iid, void** obj) SMTG_OVERRIDE;

  DECLARE_FUNKNOWN_METHODS

 private:
  struct ClassEntry {
    PClassInfo2 info;
    CreateInstanceFunction create;
    void* context;
  };
  const ClassEntry* FindClass(int32 index) const;

  PFactoryInfo factoryInfo;
  std::vector<ClassEntry> classes;
};

}  // namespace Steinberg
