// Outgoing interfaces: an object offers connection points, and sinks Advise them to hear events.
#pragma once

#include <utility>
#include <vector>

#include "platform/com/Dispatch.h"
#include "platform/com/Guid.h"
#include "platform/com/Types.h"
#include "platform/com/Unknown.h"

struct IConnectionPoint;
struct IEnumConnectionPoints;
struct IEnumConnections;

inline constexpr IID IID_IConnectionPointContainer = {
    0xB196B284, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};
inline constexpr IID IID_IConnectionPoint = {
    0xB196B286, 0xBAB4, 0x101A, {0xB6, 0x9C, 0x00, 0xAA, 0x00, 0x34, 0x1D, 0x07}};

struct IConnectionPointContainer : IUnknown {
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) = 0;
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;

protected:
    ~IConnectionPointContainer() = default;
};

struct IConnectionPoint : IUnknown {
    virtual HRESULT GetConnectionInterface(IID* pIID) = 0;
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    virtual HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    virtual HRESULT EnumConnections(IEnumConnections** ppEnum) = 0;

protected:
    ~IConnectionPoint() = default;
};

// The connection point for one dispatch event interface, embedded by value in the object that
// fires the events. It has no reference count of its own: it lives and dies with its container.
class CConnectionPoint : public IConnectionPoint {
public:
    CConnectionPoint(IConnectionPointContainer* container, REFIID eventIid);
    ~CConnectionPoint();
    CConnectionPoint(const CConnectionPoint&) = delete;
    CConnectionPoint& operator=(const CConnectionPoint&) = delete;

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    HRESULT GetConnectionInterface(IID* pIID) override;
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override;
    // The sink is taken as the event interface or, failing that, as IDispatch.
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override;
    HRESULT Unadvise(DWORD dwCookie) override;
    HRESULT EnumConnections(IEnumConnections** ppEnum) override;

    // Calls the method id on every sink, oldest connection first. Sinks may Advise and Unadvise
    // from inside the call: those connected meanwhile hear the next event, those gone hear no more.
    void Fire(DISPID id, DISPPARAMS* params);
    // Lets go of every sink; for an owner shutting down while others still hold it.
    void UnadviseAll();

private:
    using Sinks = std::vector<std::pair<DWORD, IDispatch*>>;

    Sinks::iterator FindSink(DWORD cookie);

    // Not owned: the container owns this object.
    IConnectionPointContainer* m_container;
    IID m_eventIid;
    // In cookie order, as cookies only grow. Each holds one reference to its sink.
    Sinks m_sinks;
    DWORD m_nextCookie = 1;
};
