#!/usr/bin/env python3
"""Summarise a CSV of expenses by category and month."""

from __future__ import annotations

import csv
import sys
from collections import defaultdict
from dataclasses import dataclass, field
from decimal import Decimal, InvalidOperation


@dataclass
class Summary:
    totals: dict[tuple[str, str], Decimal] = field(default_factory=lambda: defaultdict(Decimal))
    skipped: int = 0

    def add(self, category: str, month: str, amount: Decimal) -> None:
        self.totals[(category, month)] += amount

    def report(self) -> str:
        lines = [f"{'category':<12} {'month':<8} {'total':>10}"]
        for (category, month), total in sorted(self.totals.items()):
            lines.append(f"{category:<12} {month:<8} {total:>10.2f}")
        if self.skipped:
            lines.append(f"# {self.skipped} row(s) skipped")
        return "\n".join(lines)


def parse_rows(rows, summary: Summary):
    """Yield (category, month, amount) for each usable row.

    Rows without a valid amount or date are counted as skipped.
    """
    for row in rows:
        try:
            # 金額の桁区切り「,」を取り除く
            amount = Decimal(row["amount"].replace(",", ""))
        except (KeyError, InvalidOperation):
            summary.skipped += 1
            continue
        month = row.get("date", "")[:7]  # YYYY-MM
        if not month or amount < 0:
            summary.skipped += 1
            continue
        yield row.get("category") or 'misc', month, amount


def main(argv: list[str]) -> int:
    if len(argv) != 2:
        print(f"usage: {argv[0]} expenses.csv", file=sys.stderr)
        return 2
    summary = Summary()
    with open(argv[1], newline="", encoding="utf-8") as handle:
        for category, month, amount in parse_rows(csv.DictReader(handle), summary):
            summary.add(category, month, amount)
    print(summary.report())
    return 0 if summary.totals else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
