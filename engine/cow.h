// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <boost/smart_ptr/intrusive_ptr.hpp>
#include <boost/smart_ptr/intrusive_ref_counter.hpp>

#include <utility>

// Plain reference counts: a state and its copies are used by one thread at a time, so atomic
// counting would cost without protecting anything.
template <typename T>
using RefCounted = boost::intrusive_ref_counter<T, boost::thread_unsafe_counter>;
template <typename T> using Ref = boost::intrusive_ptr<T>;

// A value shared by a state and its copies until one of them writes to it: copying costs a
// reference count, the first write to a shared value copies it. Empty until first written.
template <typename T> class Cow {
public:
    const T& operator*() const { return mBox ? mBox->mValue : Empty(); }
    const T* operator->() const { return &**this; }

    // Someone else holds the value too, so a write would copy it.
    bool shared() const { return mBox && mBox->use_count() > 1; }

    T& write() {
        if (!mBox)
            mBox = new Box();
        else if (mBox->use_count() > 1)
            mBox = new Box(mBox->mValue);
        return mBox->mValue;
    }

    void reset() { mBox.reset(); }

private:
    struct Box : RefCounted<Box> {
        Box() = default;
        explicit Box(const T& value) : mValue(value) {}
        T mValue;
    };

    static const T& Empty() {
        static const T empty;
        return empty;
    }

    Ref<Box> mBox;
};
