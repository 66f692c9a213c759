// The factory table's row and the module's creation entry point, declared
// here for the classes that create other model objects; both are defined by
// the module (module/factory_table.cpp), the one place that knows every class.
#pragma once

#include "frame/CUnknown.h"

typedef CUnknown* (*LPFNNewCOMObject)(IUnknown* pUnkOuter, HRESULT* phr);
typedef void (*LPFNInitRoutine)(BOOL bLoading, const CLSID* rclsid);

// One row of the factory table. Rows are plain aggregates so that the table
// is constant data.
struct CFactoryTemplate {
    const char16_t* m_Name;
    const CLSID* m_ClsID;
    LPFNNewCOMObject m_lpfnNew;
    LPFNInitRoutine m_lpfnInit;
};

extern const CFactoryTemplate g_Templates[];
extern const int g_cTemplates;

#if defined(_WIN32)
#define QUON_EXPORT __declspec(dllexport)
#else
#define QUON_EXPORT __attribute__((visibility("default")))
#endif

// Creates an object of class rclsid and returns its riid interface with one
// reference. The module's one export.
extern "C" QUON_EXPORT HRESULT DllCreateInstance(REFCLSID rclsid, REFIID riid, void** ppv);
