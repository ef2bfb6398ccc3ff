// inventory.cpp - a small stock list with a price report.
#include <algorithm>
#include <iomanip>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace shop {

struct Item {
    std::string name;
    int quantity = 0;
    double price = 0.0;
};

class Inventory {
public:
    void add(const std::string& name, int quantity, double price)
    {
        if (quantity < 0)
            throw std::invalid_argument("negative quantity for \"" + name + "\"");
        auto& item = items_[name];
        item.name = name;
        item.quantity += quantity;
        item.price = price;
    }

    [[nodiscard]] double total() const noexcept
    {
        double sum = 0.0;
        for (const auto& [name, item] : items_)
            sum += item.quantity * item.price;
        return sum;
    }

    template <typename Pred>
    std::vector<Item> select(Pred pred) const
    {
        std::vector<Item> out;
        for (const auto& entry : items_) {
            if (pred(entry.second))
                out.push_back(entry.second);
        }
        std::sort(out.begin(), out.end(),
                  [](const Item& a, const Item& b) { return a.price > b.price; });
        return out;
    }

private:
    std::map<std::string, Item> items_;
};

} // namespace shop

int main()
{
    shop::Inventory stock;
    try {
        stock.add("pencil", 120, 0.35);
        stock.add("notebook", 40, 2.50);
        stock.add("eraser", -1, 0.20); /* rejected */
    } catch (const std::exception& e) {
        std::cerr << "error: " << e.what() << '\n';
    }
    const auto cheap = stock.select([](const shop::Item& i) { return i.price < 1.0; });
    std::cout << std::fixed << std::setprecision(2);
    for (const auto& item : cheap)
        std::cout << item.name << '\t' << item.price << "\n";
    std::cout << "total: " << stock.total() << std::endl;
    return cheap.empty() ? 1 : 0;
}
