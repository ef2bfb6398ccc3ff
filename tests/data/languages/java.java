package org.example.library;

import java.time.LocalDate;
import java.util.ArrayList;
import java.util.List;
import java.util.Optional;

/**
 * Keeps track of borrowed books and their due dates.
 */
public final class LoanDesk {
    private static final int LOAN_DAYS = 21;

    public record Loan(String isbn, String member, LocalDate due) { }

    private final List<Loan> loans = new ArrayList<>();

    /** Lends a book; a member may hold at most five at a time. */
    public synchronized Loan lend(String isbn, String member, LocalDate today) {
        long held = loans.stream().filter(l -> l.member().equals(member)).count();
        if (held >= 5) {
            throw new IllegalStateException("member " + member + " already holds " + held + " books");
        }
        Loan loan = new Loan(isbn, member, today.plusDays(LOAN_DAYS));
        loans.add(loan);
        return loan;
    }

    public Optional<Loan> find(String isbn) {
        for (Loan loan : loans) {
            if (loan.isbn().equals(isbn)) {
                return Optional.of(loan);
            }
        }
        return Optional.empty();
    }

    // Overdue loans, oldest first.
    public List<Loan> overdue(LocalDate today) {
        return loans.stream()
                .filter(l -> l.due().isBefore(today))
                .sorted((a, b) -> a.due().compareTo(b.due()))
                .toList();
    }

    public static void main(String[] args) {
        var desk = new LoanDesk();
        LocalDate start = LocalDate.of(2024, 1, 8);
        desk.lend("978-0-13-468599-1", "ana", start);
        desk.lend("978-1-4919-5029-6", "ben", start.plusDays(30));
        char mark = '\'';
        for (Loan l : desk.overdue(LocalDate.of(2024, 2, 15))) {
            System.out.printf("%s %c%s%c due %s%n", l.member(), mark, l.isbn(), mark, l.due());
        }
        String report = """
                Desk report
                  open loans: %d
                """.formatted(desk.loans.size());
        System.out.print(report);
    }
}
