#pragma once

#include <functional>
#include <string>
#include <utility>

// One line of a menu page: what it shows, and what Select, Left and Right do.
struct MenuItem {
    MenuItem(std::string label_, std::string value_, std::function<void()> select_,
             std::function<void(int)> change_, std::string second_ = std::string())
        : label(std::move(label_)),
          value(std::move(value_)),
          select(std::move(select_)),
          change(std::move(change_)),
          second(std::move(second_)) {}

    std::string label;
    std::string value;
    std::function<void()> select;
    std::function<void(int)> change;  // -1 or +1; none for a plain line
    std::string second;               // the pad button beside a key
};
