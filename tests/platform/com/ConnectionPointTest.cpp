#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "platform/com/ComPtr.h"
#include "platform/com/ConnectionPoint.h"
#include "tests/platform/com/FakeDispatch.h"

namespace {

constexpr IID kEventIid = {0x7E1A0201, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0x01}};
constexpr IID kOtherIid = {0x7E1A02FF, 0, 0, {0x80, 0, 0, 0, 0, 0, 0, 0xFF}};
constexpr DISPID kEvent = 0x10A;

// The object that fires events, with a reference count the test can read. Declared after the
// sinks it is given, so its connection point releases them while they still exist.
class FakeContainer : public IConnectionPointContainer {
public:
    FakeContainer() : m_point(this, kEventIid) {}

    CConnectionPoint& Point() { return m_point; }
    ULONG Refs() const { return m_refs; }

    HRESULT QueryInterface(REFIID riid, void** ppvObject) override {
        if (!ppvObject) return E_POINTER;
        *ppvObject = nullptr;
        if (riid != IID_IUnknown && riid != IID_IConnectionPointContainer) return E_NOINTERFACE;
        *ppvObject = static_cast<IConnectionPointContainer*>(this);
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override { return --m_refs; }
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override {
        if (!ppEnum) return E_POINTER;
        *ppEnum = nullptr;
        return E_NOTIMPL;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override {
        if (!ppCP) return E_POINTER;
        *ppCP = nullptr;
        if (riid != kEventIid) return CONNECT_E_NOCONNECTION;
        *ppCP = &m_point;
        AddRef();
        return S_OK;
    }

protected:
    ULONG m_refs = 1;

private:
    CConnectionPoint m_point;
};

// Lives on the heap and goes away with its last reference, as real event sources do.
class SelfDeletingContainer final : public FakeContainer {
public:
    explicit SelfDeletingContainer(bool& destroyed) : m_destroyed(destroyed) {}
    ~SelfDeletingContainer() { m_destroyed = true; }
    ULONG Release() override {
        const ULONG refs = --m_refs;
        if (refs == 0) delete this;
        return refs;
    }

private:
    bool& m_destroyed;
};

// Sinks that log their index to one shared list, so the order across sinks shows.
struct SinkSet {
    explicit SinkSet(int count) : sinks(count) {
        for (int i = 0; i < count; ++i) {
            sinks[i].OnInvoke([this, i] { log.push_back(i); });
        }
    }
    std::vector<int> TakeLog() { return std::exchange(log, {}); }

    std::vector<FakeDispatch> sinks;
    std::vector<int> log;
};

DWORD AdviseOk(CConnectionPoint& point, IUnknown* sink) {
    DWORD cookie = 0;
    EXPECT_EQ(point.Advise(sink, &cookie), S_OK);
    return cookie;
}

TEST(ConnectionPoint, CookiesAreNonZeroIncreasingAndNeverReused) {
    FakeDispatch sink;
    FakeContainer container;
    CConnectionPoint& point = container.Point();
    std::vector<DWORD> cookies;
    for (int i = 0; i < 3; ++i) cookies.push_back(AdviseOk(point, &sink));
    ASSERT_EQ(point.Unadvise(cookies[2]), S_OK);
    ASSERT_EQ(point.Unadvise(cookies[1]), S_OK);
    cookies.push_back(AdviseOk(point, &sink));

    EXPECT_NE(cookies[0], 0u);
    for (std::size_t i = 1; i < cookies.size(); ++i) EXPECT_GT(cookies[i], cookies[i - 1]);
    EXPECT_EQ(sink.Refs(), 3u);
}

TEST(ConnectionPoint, AdviseTakesTheEventInterfaceOrDispatch) {
    struct Case {
        const char* name;
        std::vector<IID> interfaces;
        HRESULT expected;
    };
    const Case cases[] = {
        {"event interface", {IID_IUnknown, kEventIid}, S_OK},
        {"dispatch", {IID_IUnknown, IID_IDispatch}, S_OK},
        {"neither", {IID_IUnknown, kOtherIid}, CONNECT_E_CANNOTCONNECT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDispatch sink(c.interfaces);
        FakeContainer container;
        DWORD cookie = 77;
        EXPECT_EQ(container.Point().Advise(&sink, &cookie), c.expected);
        EXPECT_EQ(cookie != 0, c.expected == S_OK);
        EXPECT_EQ(sink.Refs(), c.expected == S_OK ? 2u : 1u);
        container.Point().Fire(kEvent, nullptr);
        EXPECT_EQ(sink.Calls().size(), c.expected == S_OK ? 1u : 0u);
    }
}

TEST(ConnectionPoint, AdviseRefusesNullArguments) {
    FakeDispatch sink;
    FakeContainer container;
    DWORD cookie = 77;
    EXPECT_EQ(container.Point().Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(container.Point().Advise(&sink, nullptr), E_POINTER);
    EXPECT_EQ(sink.Refs(), 1u);
}

TEST(ConnectionPoint, FireCallsEachSinkInCookieOrder) {
    SinkSet set(3);
    FakeContainer container;
    CConnectionPoint& point = container.Point();
    const DWORD first = AdviseOk(point, &set.sinks[0]);
    AdviseOk(point, &set.sinks[1]);
    AdviseOk(point, &set.sinks[2]);
    // Advised again, the first sink is now the newest connection.
    ASSERT_EQ(point.Unadvise(first), S_OK);
    AdviseOk(point, &set.sinks[0]);

    VARIANT arg;
    VariantInit(&arg);
    DISPPARAMS params = {&arg, nullptr, 1, 0};
    point.Fire(kEvent, &params);
    EXPECT_EQ(set.TakeLog(), (std::vector<int>{1, 2, 0}));
    for (const FakeDispatch& sink : set.sinks) {
        ASSERT_EQ(sink.Calls().size(), 1u);
        const FakeDispatch::Call& call = sink.Calls()[0];
        EXPECT_EQ(call.id, kEvent);
        EXPECT_EQ(call.riid, GUID_NULL);
        EXPECT_EQ(call.lcid, LOCALE_USER_DEFAULT);
        EXPECT_EQ(call.flags, DISPATCH_METHOD);
        EXPECT_EQ(call.params, &params);
        EXPECT_TRUE(call.extraOutputsNull);
        EXPECT_EQ(sink.Refs(), 2u);
    }
}

TEST(ConnectionPoint, UnadviseStopsEventsAndReleasesTheSink) {
    SinkSet set(3);
    FakeContainer container;
    CConnectionPoint& point = container.Point();
    std::vector<DWORD> cookies;
    for (FakeDispatch& sink : set.sinks) cookies.push_back(AdviseOk(point, &sink));

    EXPECT_EQ(point.Unadvise(cookies[1]), S_OK);
    EXPECT_EQ(set.sinks[1].Refs(), 1u);
    point.Fire(kEvent, nullptr);
    EXPECT_EQ(set.TakeLog(), (std::vector<int>{0, 2}));

    for (const DWORD unknown : {cookies[1], DWORD{0}, cookies[2] + 1}) {
        EXPECT_EQ(point.Unadvise(unknown), CONNECT_E_NOCONNECTION) << unknown;
    }
    EXPECT_EQ(set.sinks[1].Refs(), 1u);
}

TEST(ConnectionPoint, UnadviseAllReleasesEverySink) {
    SinkSet set(3);
    FakeContainer container;
    CConnectionPoint& point = container.Point();
    std::vector<DWORD> cookies;
    for (FakeDispatch& sink : set.sinks) cookies.push_back(AdviseOk(point, &sink));

    point.UnadviseAll();
    for (const FakeDispatch& sink : set.sinks) EXPECT_EQ(sink.Refs(), 1u);
    point.Fire(kEvent, nullptr);
    EXPECT_TRUE(set.TakeLog().empty());
    EXPECT_EQ(point.Unadvise(cookies[0]), CONNECT_E_NOCONNECTION);

    AdviseOk(point, &set.sinks[2]);
    point.Fire(kEvent, nullptr);
    EXPECT_EQ(set.TakeLog(), (std::vector<int>{2}));
}

TEST(ConnectionPoint, DestroyingTheOwnerReleasesTheSinks) {
    FakeDispatch sink;
    {
        FakeContainer container;
        AdviseOk(container.Point(), &sink);
        AdviseOk(container.Point(), &sink);
        EXPECT_EQ(sink.Refs(), 3u);
    }
    EXPECT_EQ(sink.Refs(), 1u);
}

// A sink changes the connections from inside an event; the event already under way reaches only
// sinks still connected, and the next one sees the change in full.
TEST(ConnectionPoint, SinksMayChangeConnectionsDuringFire) {
    struct Context {
        CConnectionPoint& point;
        std::vector<DWORD>& cookies;
        SinkSet& set;
    };
    struct Case {
        const char* name;
        int actor;
        std::function<void(Context&)> action;
        std::vector<int> during;
        std::vector<int> after;
    };
    const Case cases[] = {
        {"unadvises itself",
         0,
         [](Context& c) { c.point.Unadvise(c.cookies[0]); },
         {0, 1, 2},
         {1, 2}},
        {"unadvises a later sink",
         0,
         [](Context& c) { c.point.Unadvise(c.cookies[2]); },
         {0, 1},
         {0, 1}},
        {"unadvises an earlier sink",
         2,
         [](Context& c) { c.point.Unadvise(c.cookies[0]); },
         {0, 1, 2},
         {1, 2}},
        {"advises a new sink",
         1,
         [](Context& c) { AdviseOk(c.point, &c.set.sinks[3]); },
         {0, 1, 2},
         {0, 1, 2, 3}},
        {"unadvises everyone", 1, [](Context& c) { c.point.UnadviseAll(); }, {0, 1}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SinkSet set(4);
        FakeContainer container;
        CConnectionPoint& point = container.Point();
        std::vector<DWORD> cookies;
        for (int i = 0; i < 3; ++i) cookies.push_back(AdviseOk(point, &set.sinks[i]));
        Context context{point, cookies, set};
        bool acted = false;
        set.sinks[c.actor].OnInvoke([&, actor = c.actor] {
            set.log.push_back(actor);
            if (!std::exchange(acted, true)) c.action(context);
        });

        point.Fire(kEvent, nullptr);
        EXPECT_EQ(set.TakeLog(), c.during);
        point.Fire(kEvent, nullptr);
        EXPECT_EQ(set.TakeLog(), c.after);

        point.UnadviseAll();
        for (const FakeDispatch& sink : set.sinks) EXPECT_EQ(sink.Refs(), 1u);
        EXPECT_EQ(container.Refs(), 1u);
    }
}

TEST(ConnectionPoint, SinkOwnedOnlyByItsConnectionSurvivesUnadvisingItself) {
    FakeDispatch sink;
    FakeContainer container;
    const DWORD cookie = AdviseOk(container.Point(), &sink);
    sink.Release();  // the connection is now its only owner
    ULONG refsAfterUnadvise = 0;
    sink.OnInvoke([&] {
        container.Point().Unadvise(cookie);
        refsAfterUnadvise = sink.Refs();
    });

    container.Point().Fire(kEvent, nullptr);
    EXPECT_GT(refsAfterUnadvise, 0u) << "destroyed while still inside its own call";
    EXPECT_EQ(sink.Refs(), 0u);
}

TEST(ConnectionPoint, OwnerOutlivesAnEventThatDropsItsLastReference) {
    SinkSet set(2);
    bool destroyed = false;
    bool destroyedDuringCall = false;
    auto* container = new SelfDeletingContainer(destroyed);
    set.sinks[0].OnInvoke([&] {
        container->Release();
        destroyedDuringCall = destroyed;
    });
    AdviseOk(container->Point(), &set.sinks[0]);
    AdviseOk(container->Point(), &set.sinks[1]);

    container->Point().Fire(kEvent, nullptr);
    EXPECT_FALSE(destroyedDuringCall);
    EXPECT_EQ(set.sinks[1].Calls().size(), 1u);
    EXPECT_TRUE(destroyed);
    for (const FakeDispatch& sink : set.sinks) EXPECT_EQ(sink.Refs(), 1u);
}

TEST(ConnectionPoint, IdentityAndReferencesBelongToTheContainer) {
    FakeContainer container;
    CConnectionPoint& point = container.Point();
    for (const IID& riid : {IID_IUnknown, IID_IConnectionPoint}) {
        void* out = nullptr;
        EXPECT_EQ(point.QueryInterface(riid, &out), S_OK);
        EXPECT_EQ(out, static_cast<IConnectionPoint*>(&point));
        EXPECT_EQ(container.Refs(), 2u);
        point.Release();
        EXPECT_EQ(container.Refs(), 1u);
    }
    void* out = &container;
    EXPECT_EQ(point.QueryInterface(kEventIid, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);

    IConnectionPointContainer* owner = nullptr;
    ASSERT_EQ(point.GetConnectionPointContainer(&owner), S_OK);
    EXPECT_EQ(owner, &container);
    EXPECT_EQ(container.Refs(), 2u);
    owner->Release();

    IID iid = GUID_NULL;
    ASSERT_EQ(point.GetConnectionInterface(&iid), S_OK);
    EXPECT_EQ(iid, kEventIid);

    IEnumConnections* connections = reinterpret_cast<IEnumConnections*>(&container);
    EXPECT_EQ(point.EnumConnections(&connections), E_NOTIMPL);
    EXPECT_EQ(connections, nullptr);

    EXPECT_EQ(point.QueryInterface(IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(point.GetConnectionPointContainer(nullptr), E_POINTER);
    EXPECT_EQ(point.GetConnectionInterface(nullptr), E_POINTER);
    EXPECT_EQ(point.EnumConnections(nullptr), E_POINTER);
    EXPECT_EQ(container.Refs(), 1u);
}

}  // namespace
