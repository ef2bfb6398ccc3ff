<?php
declare(strict_types=1);

namespace App\Guestbook;

use PDO;
use InvalidArgumentException;
use App\Http\Route;

/**
 * Stores guestbook entries and renders them as HTML.
 */
final class Guestbook
{
    private const MAX_LENGTH = 500;

    public function __construct(private PDO $db)
    {
    }

    #[Route('/entries', methods: ['POST'])]
    public function add(string $name, string $message): int
    {
        $name = trim($name);
        if ($name === '' || mb_strlen($message) > self::MAX_LENGTH) {
            throw new InvalidArgumentException("Name is required and messages hold at most " . self::MAX_LENGTH . " characters");
        }
        $stmt = $this->db->prepare('INSERT INTO entries (name, message, created) VALUES (?, ?, NOW())');
        $stmt->execute([$name, $message]);
        return (int) $this->db->lastInsertId();
    }

    /** @return array<int, array{name: string, message: string}> */
    public function latest(int $limit = 20): array
    {
        $stmt = $this->db->prepare('SELECT name, message FROM entries ORDER BY created DESC LIMIT ?');
        $stmt->bindValue(1, $limit, PDO::PARAM_INT);
        $stmt->execute();
        return $stmt->fetchAll(PDO::FETCH_ASSOC) ?: [];
    }

    public function render(): string
    {
        $html = '';
        foreach ($this->latest() as $entry) {
            # names and messages come from visitors: escape them
            $name = htmlspecialchars($entry['name'], ENT_QUOTES);
            $text = nl2br(htmlspecialchars($entry['message'], ENT_QUOTES));
            $html .= "<article><h3>{$name}</h3><p>{$text}</p></article>\n";
        }
        return $html !== '' ? $html : '<p class="empty">No entries yet.</p>';
    }
}

$book = new Guestbook(new PDO('sqlite:' . __DIR__ . '/guestbook.db'));
if ($_SERVER['REQUEST_METHOD'] === 'POST') {
    $book->add($_POST['name'] ?? '', $_POST['message'] ?? '');
    header('Location: ' . $_SERVER['PHP_SELF'], true, 303);
    exit;
}
echo $book->render();
