-- Schema and reports for a small lending library.
CREATE TABLE member (
    member_id   INTEGER PRIMARY KEY,
    full_name   VARCHAR(100) NOT NULL,
    email       VARCHAR(200) UNIQUE,
    joined_on   DATE NOT NULL DEFAULT CURRENT_DATE
);

CREATE TABLE loan (
    loan_id     INTEGER PRIMARY KEY,
    member_id   INTEGER NOT NULL REFERENCES member (member_id) ON DELETE CASCADE,
    isbn        CHAR(13) NOT NULL,
    lent_on     DATE NOT NULL,
    returned_on DATE,
    CONSTRAINT loan_dates CHECK (returned_on IS NULL OR returned_on >= lent_on)
);

/* Members who have something out for more than three weeks,
   with the number of overdue books. */
SELECT m.full_name,
       m.email,
       COUNT(*) AS overdue_books,
       MIN(l.lent_on) AS oldest_loan
  FROM member AS m
  JOIN loan AS l ON l.member_id = m.member_id
 WHERE l.returned_on IS NULL
   AND l.lent_on < CURRENT_DATE - 21
 GROUP BY m.full_name, m.email
HAVING COUNT(*) > 0
 ORDER BY oldest_loan;

insert into member (member_id, full_name, email)
values (1, 'Ana O''Neill', 'ana@example.org'),
       (2, 'Ben Ito', NULL);

-- Busiest month of each year, by loans started.
WITH monthly AS (
    SELECT EXTRACT(YEAR FROM lent_on) AS yr,
           EXTRACT(MONTH FROM lent_on) AS mon,
           COUNT(*) AS loans,
           ROW_NUMBER() OVER (PARTITION BY EXTRACT(YEAR FROM lent_on) ORDER BY COUNT(*) DESC) AS rank_in_year
      FROM loan
     GROUP BY 1, 2
)
SELECT yr, mon, loans
  FROM monthly
 WHERE rank_in_year = 1;

UPDATE loan SET returned_on = CURRENT_DATE WHERE loan_id = 42 AND returned_on IS NULL;

-- Members by the date they joined, newest first; members without a date last.
CREATE OR REPLACE VIEW member_list AS
SELECT full_name, email, CAST(joined_on AS TIMESTAMP) AS joined_at
  FROM member
 ORDER BY joined_on DESC NULLS LAST;
