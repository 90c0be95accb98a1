#pragma once

// An engine's tie to its settings sources: which source it uses, where a
// changed setting is recorded, and how a source's values are delivered. The
// values travel through the effect's setParameter (not the engine's own
// setSetting) so the effect's parameter memory and the editor follow.

#include "base/AudioEffect.h"
#include "meters/GlobalSettingsSet.h"
#include "meters/InstanceSettings.h"
#include "meters/SettingsSource.h"

#include <atomic>

class SettingsSourceLink {
public:
    SettingsSourceLink(MeterKind meter, AudioEffect* effect)
        : meter_(meter), effect_(effect), source_(SettingsSource::current()), instance_(meter)
    {
    }

    int source() const { return source_.load(std::memory_order_relaxed); }
    const InstanceSettings& instance() const { return instance_; }

    // The values an engine applies while it is constructed: set B for source
    // Instance (which then counts as seeded). Records into the sources go
    // where the engine's source points, so Instance gets its copy of set B.
    template <class Engine>
    void applyAtConstruction(Engine& engine)
    {
        const int source = source_.load(std::memory_order_relaxed);
        if (source < SettingsSource::kGlobal || source > SettingsSource::kInstance)
            return;
        const bool seedInstance = source == SettingsSource::kInstance;
        const SettingValues& from = GlobalSettingsSet::of(meter_, seedInstance ? GlobalSettingsSet::kSetB : source);
        const MeterSettingsTable& table = from.table();
        for (int id = table.firstId; id < table.firstId + table.count; ++id)
            engine.setSetting(id, from.get(id));
        if (seedInstance)
            instance_.initialised = true;
    }

    // Writes a changed setting into the active source.
    void record(int id, float value)
    {
        const int source = source_.load(std::memory_order_relaxed);
        if (source == SettingsSource::kInstance)
            instance_.values.set(id, value);
        else if (source == SettingsSource::kGlobal || source == SettingsSource::kSession)
            GlobalSettingsSet::of(meter_, source).set(id, value);
    }

    // Parameter 2: switches to the source and delivers its values in id order.
    template <class Engine>
    void select(int source, Engine& engine)
    {
        source_.store(source, std::memory_order_relaxed);
        if (source == SettingsSource::kGlobal || source == SettingsSource::kSession) {
            deliverAll(GlobalSettingsSet::of(meter_, source), engine);
        } else if (source == SettingsSource::kInstance) {
            if (instance_.initialised) {
                deliverAll(instance_.values, engine);
            } else {
                // The first Instance starts from the Session values.
                instance_.initialised = true;
                deliverAll(GlobalSettingsSet::of(meter_, GlobalSettingsSet::kSetB), engine);
            }
        }
    }

    // Re-applies every shared value another instance has changed.
    template <class Engine>
    void follow(const SettingValues& stored, Engine& engine)
    {
        const int source = source_.load(std::memory_order_relaxed);
        if (source != SettingsSource::kGlobal && source != SettingsSource::kSession)
            return;
        const SettingValues& shared = GlobalSettingsSet::of(meter_, source);
        const MeterSettingsTable& table = shared.table();
        for (int i = 0; i < table.count; ++i) {
            const int id = table.order[i].id;
            const float value = shared.get(id);
            if (stored.get(id) != value)
                deliver(id, value, engine);
        }
    }

private:
    template <class Engine>
    void deliverAll(const SettingValues& from, Engine& engine)
    {
        const MeterSettingsTable& table = from.table();
        for (int id = table.firstId; id < table.firstId + table.count; ++id)
            deliver(id, from.get(id), engine);
    }

    // Without an effect (an engine on its own) the engine applies the value itself.
    template <class Engine>
    void deliver(int id, float value, Engine& engine)
    {
        if (effect_)
            effect_->setParameter(id, value);
        else
            engine.setSetting(id, value);
    }

    MeterKind meter_;
    AudioEffect* effect_;  // not owned
    std::atomic<int> source_;  // switched from the parameter thread, read by the editor
    InstanceSettings instance_;
};
