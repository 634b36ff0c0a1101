#include "vst3/plugin_factory.h"

#include <cstring>
#include <new>

namespace Steinberg {

CPluginFactory::CPluginFactory(const PFactoryInfo& info) : factoryInfo(info) {
  __funknownRefCount = 1;  // the creator's reference
}

CPluginFactory::~CPluginFactory() = default;

IMPLEMENT_REFCOUNT(CPluginFactory)

tresult PLUGIN_API CPluginFactory::queryInterface(const TUID iid, void** obj) {
  QUERY_INTERFACE(iid, obj, FUnknown::iid, IPluginFactory)
  QUERY_INTERFACE(iid, obj, IPluginFactory::iid, IPluginFactory)
  QUERY_INTERFACE(iid, obj, IPluginFactory2::iid, IPluginFactory2)
  QUERY_INTERFACE(iid, obj, IPluginFactory3::iid, IPluginFactory3)
  if (obj) *obj = nullptr;
  return kNoInterface;
}

bool CPluginFactory::registerClass(const PClassInfo2* info, CreateInstanceFunction create,
                                   void* context) {
  if (!info || !create) return false;
  try {
    classes.push_back(ClassEntry{*info, create, context});
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

const CPluginFactory::ClassEntry* CPluginFactory::FindClass(int32 index) const {
  if (index < 0 || index >= static_cast<int32>(classes.size())) return nullptr;
  return &classes[index];
}

tresult PLUGIN_API CPluginFactory::getFactoryInfo(PFactoryInfo* info) {
  if (!info) return kInvalidArgument;
  std::memcpy(info, &factoryInfo, sizeof(PFactoryInfo));
  return kResultOk;
}

int32 PLUGIN_API CPluginFactory::countClasses() {
  return static_cast<int32>(classes.size());
}

tresult PLUGIN_API CPluginFactory::getClassInfo(int32 index, PClassInfo* info) {
  const ClassEntry* entry = FindClass(index);
  if (!entry || !info) return kInvalidArgument;
  *info = PClassInfo();
  std::memcpy(info->cid, entry->info.cid, sizeof(TUID));
  info->cardinality = entry->info.cardinality;
  std::memcpy(info->category, entry->info.category, sizeof(info->category));
  std::memcpy(info->name, entry->info.name, sizeof(info->name));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfo2(int32 index, PClassInfo2* info) {
  const ClassEntry* entry = FindClass(index);
  if (!entry || !info) return kInvalidArgument;
  std::memcpy(info, &entry->info, sizeof(PClassInfo2));
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::getClassInfoUnicode(int32 index, PClassInfoW* info) {
  const ClassEntry* entry = FindClass(index);
  if (!entry || !info) return kInvalidArgument;
  *info = PClassInfoW();
  info->fromAscii(entry->info);
  return kResultOk;
}

tresult PLUGIN_API CPluginFactory::setHostContext(FUnknown* /*context*/) {
  return kNotImplemented;
}

tresult PLUGIN_API CPluginFactory::createInstance(FIDString cid, FIDString iid, void** obj) {
  if (!obj) return kInvalidArgument;
  *obj = nullptr;
  if (!cid || !iid) return kInvalidArgument;
  for (const ClassEntry& entry : classes) {
    if (std::memcmp(entry.info.cid, cid, sizeof(TUID)) != 0) continue;
    FUnknown* instance = entry.create(entry.context);
    if (!instance) return kOutOfMemory;
    // The interface asked for adds the host's reference; ours goes away.
    tresult result = instance->queryInterface(iid, obj);
    instance->release();
    if (result != kResultOk) {
      *obj = nullptr;
      return kNoInterface;
    }
    return kResultOk;
  }
  return kNoInterface;
}

}  // namespace Steinberg
